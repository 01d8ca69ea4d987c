// A model file that reaches into the windows layer: the layer check must reject it.
#include <QLabel>
#include "site/ui/somewindow.h"
