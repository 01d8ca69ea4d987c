// A window header may include widgets.
#include <QWidget>
