#include "platform/ui/windowgeometry.h"

#include "platform/ui/clickablelabel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <limits>

namespace windowgeometry {

namespace {

// The text a button shows: "&&" is an ampersand, a single "&" marks the shortcut.
QString ShownText(const QString& text) {
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

int WidestLine(const QFontMetrics& fm, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

// The part of w its ancestors up to window show, in window coordinates.
QRect ShownRect(const QWidget* w, const QWidget* window) {
    QRect r(QPoint(0, 0), w->size());
    const QWidget* c = w;
    while (c != window && c->parentWidget()) {
        r.translate(c->pos());
        const QWidget* p = c->parentWidget();
        r &= p->rect();
        c = p;
    }
    return c == window ? r : QRect();
}

bool Shown(const QWidget* w, const QWidget* window) { return w == window || w->isVisibleTo(window); }

// A canvas that a scroll bar moves or a viewport shows in part: what lies outside it is scrolled
// away, not cut off.
bool IsScrolled(const QWidget* child, const QWidget* parent) {
    if (qobject_cast<const QAbstractScrollArea*>(parent->parentWidget()) || qobject_cast<const QAbstractScrollArea*>(parent))
        return true;
    return child->width() > parent->width() || child->height() > parent->height() || child->x() < 0 || child->y() < 0;
}

QString LabelProblem(const QLabel* l) {
    if (l->text().isEmpty() || !l->pixmap().isNull()) return {};
    const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    if (l->wordWrap()) {
        // A line's leading and descent may overhang; half a line more is a line lost.
        const int needed = l->heightForWidth(l->width());
        if (needed - l->height() >= l->fontMetrics().height() / 2)
            return QStringLiteral("needs %1 px of height, has %2").arg(needed).arg(l->height());
        return {};
    }
    int needed = 0;
    const bool rich = l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(l->text());
        needed = int(std::ceil(doc.idealWidth()));
    } else {
        needed = WidestLine(l->fontMetrics(), l->text());
    }
    int width = room.width();
    if (l->indent() > 0) width -= l->indent();
    else if (l->indent() < 0 && l->frameWidth() > 0) width -= l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
    if (needed > width) return QStringLiteral("needs %1 px, has %2").arg(needed).arg(width);
    return {};
}

QString ButtonProblem(const QAbstractButton* b) {
    const QString text = ShownText(b->text());
    if (text.isEmpty()) return {};
    // A tool bar's button shows its icon alone; its text is the tool tip.
    if (auto* t = qobject_cast<const QToolButton*>(b); t && t->toolButtonStyle() == Qt::ToolButtonIconOnly && !t->icon().isNull())
        return {};
    int needed = WidestLine(b->fontMetrics(), text);
    if (!b->icon().isNull()) needed += b->iconSize().width() + 4;
    int room = 0;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    if (qobject_cast<const QCheckBox*>(b)) {
        room = b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b).width();
    } else if (qobject_cast<const QRadioButton*>(b)) {
        room = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b).width();
    } else if (auto* p = qobject_cast<const QPushButton*>(b)) {
        if (p->isFlat()) opt.features |= QStyleOptionButton::Flat;
        room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width() - 2;
    } else {
        room = b->width() - 6;
    }
    if (needed > room) return QStringLiteral("needs %1 px, has %2").arg(needed).arg(room);
    return {};
}

QString ComboProblem(const QComboBox* c) {
    const QString text = c->currentText();
    if (text.isEmpty()) return {};
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    opt.editable = c->isEditable();
    opt.currentText = text;
    opt.frame = c->hasFrame();
    const int room = c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c).width() - 2;
    const int needed = WidestLine(c->fontMetrics(), text);
    if (needed > room) return QStringLiteral("needs %1 px, has %2").arg(needed).arg(room);
    return {};
}

QStringList HeaderProblems(const QHeaderView* h) {
    QStringList out;
    if (h->orientation() != Qt::Horizontal || !h->model()) return out;
    const int margin = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
    for (int i = 0; i < h->count(); ++i) {
        if (h->isSectionHidden(i) || h->sectionSize(i) == 0) continue;
        const QString text = h->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        if (text.isEmpty()) continue;
        const int needed = WidestLine(h->fontMetrics(), text) + margin;
        if (needed > h->sectionSize(i))
            out << QStringLiteral("column header '%1' needs %2 px, has %3").arg(text).arg(needed).arg(h->sectionSize(i));
    }
    return out;
}

// Outside the window, or outside a frame that does not scroll it.
QString OutsideProblem(const QWidget* w, const QWidget* window) {
    const QWidget* c = w;
    while (c != window && c->parentWidget()) {
        const QWidget* p = c->parentWidget();
        if (!p->rect().contains(c->geometry())) {
            if (p != window && IsScrolled(c, p)) return {};
            return QStringLiteral("lies outside %1 (%2,%3 %4x%5 in %6x%7)")
                .arg(p == window ? QStringLiteral("its window") : Describe(p))
                .arg(c->x())
                .arg(c->y())
                .arg(c->width())
                .arg(c->height())
                .arg(p->width())
                .arg(p->height());
        }
        c = p;
    }
    return {};
}

}  // namespace

bool IsControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QTabBar*>(w) || dynamic_cast<const ClickableLabel*>(w);
}

QRect RectInWindow(const QWidget* w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

QList<QWidget*> ControlsUnder(const QWidget* window, const QRect& rect, const QWidget* box) {
    QList<QWidget*> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w == box || (box && box->isAncestorOf(w)) || !IsControl(w) || !w->isEnabled() || !Shown(w, window)) continue;
        if (ShownRect(w, window).intersects(rect)) out << w;
    }
    return out;
}

double Gap(const QRect& a, const QRect& b) {
    const int dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const int dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return std::hypot(double(dx), double(dy));
}

bool PlaceBeside(QWidget* box, const QWidget* control, const QList<const QWidget*>& keepOff) {
    QWidget* parent = box->parentWidget();
    if (!parent || !control) return false;
    const QWidget* window = box->window();
    QRect allowed = ShownRect(parent, window);
    if (const QScreen* screen = window->screen()) {
        const QPoint origin = window->isVisible() ? window->mapToGlobal(QPoint(0, 0)) : window->pos();
        allowed &= screen->availableGeometry().translated(-origin);
    }
    const QRect c = RectInWindow(control);
    const QSize s = box->size();
    const QPoint parentOrigin = RectInWindow(parent).topLeft();

    QList<QRect> controls;
    for (QWidget* w : ControlsUnder(window, allowed, box)) controls << ShownRect(w, window);
    for (const QWidget* w : keepOff)
        if (w && w != box && Shown(w, window)) controls << ShownRect(w, window);
    const auto covered = [&](const QRect& r) {
        return int(std::count_if(controls.cbegin(), controls.cend(), [&](const QRect& k) { return k.intersects(r); }));
    };
    const auto distance = [&](const QRect& r) { return Gap(r, c); };

    constexpr int kGap = 4;
    constexpr int kStep = 8;
    QList<QPoint> candidates;
    for (int y = allowed.top(); y + s.height() - 1 <= allowed.bottom(); y += kStep) {
        candidates << QPoint(c.right() + 1 + kGap, y) << QPoint(c.left() - kGap - s.width(), y);
    }
    for (int x = allowed.left(); x + s.width() - 1 <= allowed.right(); x += kStep) {
        candidates << QPoint(x, c.bottom() + 1 + kGap) << QPoint(x, c.top() - kGap - s.height());
    }
    QRect best;
    int bestCovered = std::numeric_limits<int>::max();
    double bestDistance = 0;
    for (const QPoint& p : candidates) {
        const QRect r(p, s);
        if (!allowed.contains(r)) continue;
        const int n = covered(r);
        const double d = distance(r);
        if (n < bestCovered || (n == bestCovered && d < bestDistance)) {
            best = r;
            bestCovered = n;
            bestDistance = d;
        }
    }
    if (best.isNull()) {
        // Too little room anywhere: kept inside what shows, as far as it goes.
        QRect r = box->geometry().translated(parentOrigin);
        r.moveLeft(std::clamp(r.left(), allowed.left(), std::max(allowed.left(), allowed.right() + 1 - r.width())));
        r.moveTop(std::clamp(r.top(), allowed.top(), std::max(allowed.top(), allowed.bottom() + 1 - r.height())));
        best = r;
        bestCovered = covered(r);
    }
    box->move(best.topLeft() - parentOrigin);
    return bestCovered == 0;
}

QStringList LayoutProblems(const QWidget* window) {
    QStringList out;
    const auto add = [&](const QWidget* w, const QString& problem) {
        if (!problem.isEmpty()) out << Describe(w) + QStringLiteral(": ") + problem;
    };
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!Shown(w, window) || w->width() <= 0 || w->height() <= 0) continue;
        if (auto* l = qobject_cast<const QLabel*>(w)) add(w, LabelProblem(l));
        else if (auto* b = qobject_cast<const QAbstractButton*>(w)) add(w, ButtonProblem(b));
        else if (auto* c = qobject_cast<const QComboBox*>(w)) add(w, ComboProblem(c));
        else if (auto* h = qobject_cast<const QHeaderView*>(w)) {
            for (const QString& p : HeaderProblems(h)) add(h->parentWidget() ? h->parentWidget() : h, p);
        }
        if (IsControl(w) || qobject_cast<const QGroupBox*>(w) || (qobject_cast<const QLabel*>(w) && !static_cast<const QLabel*>(w)->text().isEmpty()))
            add(w, OutsideProblem(w, window));
    }
    if (window->isVisible()) {
        if (const QScreen* screen = window->screen()) {
            if (!screen->availableGeometry().contains(window->frameGeometry()))
                out << QStringLiteral("%1: the window (%2,%3 %4x%5) is not inside the screen (%6x%7)")
                           .arg(Describe(window))
                           .arg(window->frameGeometry().x())
                           .arg(window->frameGeometry().y())
                           .arg(window->frameGeometry().width())
                           .arg(window->frameGeometry().height())
                           .arg(screen->availableGeometry().width())
                           .arg(screen->availableGeometry().height());
        }
    }
    return out;
}

QStringList CellTextProblems(const QTableWidget* t, int column) {
    QStringList out;
    if (column < 0 || column >= t->columnCount() || t->isColumnHidden(column)) return out;
    const int margin = 2 * (t->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t) + 1);
    for (int r = 0; r < t->rowCount(); ++r) {
        const QTableWidgetItem* item = t->item(r, column);
        // Leading and trailing blanks only indent a text.
        const QString text = item ? item->text().trimmed() : QString();
        if (text.isEmpty() || t->isRowHidden(r)) continue;
        const int needed = WidestLine(QFontMetrics(item->font()), text) + margin;
        if (needed > t->columnWidth(column))
            out << QStringLiteral("%1: cell (%2, %3) '%4' needs %5 px, has %6")
                       .arg(Describe(t))
                       .arg(r)
                       .arg(column)
                       .arg(text)
                       .arg(needed)
                       .arg(t->columnWidth(column));
    }
    return out;
}

QStringList Overlaps(const QWidget* window, const QList<const QWidget*>& boxes) {
    QStringList out;
    for (const QWidget* box : boxes) {
        if (!box || !Shown(box, window)) continue;
        for (const QWidget* w : ControlsUnder(window, ShownRect(box, window), box))
            out << Describe(box) + QStringLiteral(" covers ") + Describe(w);
    }
    return out;
}

QString Describe(const QWidget* w) {
    QString text;
    if (auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
    else if (auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
    else if (auto* g = qobject_cast<const QGroupBox*>(w)) text = g->title();
    else if (w->isWindow()) text = w->windowTitle();
    QString out = QString::fromLatin1(w->metaObject()->className());
    if (!w->objectName().isEmpty()) out += QLatin1Char(' ') + w->objectName();
    if (!text.isEmpty()) out += QStringLiteral(" '") + text.left(40) + QLatin1Char('\'');
    const QRect r = RectInWindow(w);
    return out + QStringLiteral(" at %1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace windowgeometry

void HintBoxQueue::show(QWidget* box, std::function<void()> place) {
    if (!box) return;
    if (m_current && m_current != box && !m_current->isHidden()) {
        for (auto& waiting : m_waiting) {
            if (waiting.first == box) {
                waiting.second = std::move(place);
                return;
            }
        }
        m_waiting.append({box, std::move(place)});
        return;
    }
    m_current = box;
    if (place) place();
    box->show();
    box->raise();
}

void HintBoxQueue::hide(QWidget* box) {
    if (!box) return;
    m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(), [&](const auto& w) { return w.first == box || !w.first; }),
                    m_waiting.end());
    box->hide();
    if (box != m_current) return;
    m_current = nullptr;
    if (m_waiting.isEmpty()) return;
    auto next = m_waiting.takeFirst();
    show(next.first, std::move(next.second));
}
