#include "ui/kit/Accessible.h"

#include "ui/kit/Controls.h"
#include "ui/kit/LinkLabel.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QFrame>
#include <QVariant>

namespace ui
{
namespace
{

// The last covering each widget was announced with.
constexpr const char *AnnouncedCovered = "ui_announcedCovered";

// A frame: off screen while a sibling covers it, and its hidden controls are
// left out, so neither is offered. Where a point falls on frames lying on top
// of each other, the one on top answers.
class FrameAccessible final : public QAccessibleWidget
{
  public:
    FrameAccessible(QWidget *frame, QAccessible::Role role) : QAccessibleWidget(frame, role) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.offscreen = isCovered(widget());
        return s;
    }
    int childCount() const override { return static_cast<int>(shownChildren().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QWidgetList children = shownChildren();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children.at(index))
                                                     : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? static_cast<int>(shownChildren().indexOf(child->object())) : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QWidgetList children = shownChildren();
        for (auto it = children.crbegin(); it != children.crend(); ++it) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(*it);
            if (iface && iface->rect().contains(x, y))
                return iface;
        }
        return nullptr;
    }

  private:
    QWidgetList shownChildren() const
    {
        QWidgetList children;
        for (QObject *o : widget()->children())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && w->isVisibleTo(widget()))
                children << w;
        return children;
    }
};

// A link label: role link, named by its text, followed by the press action as
// by a click.
class LinkAccessible final : public QAccessibleWidget
{
  public:
    explicit LinkAccessible(LinkLabel *link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        return own.isEmpty() && t == QAccessible::Name ? link()->text() : own;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.offscreen = isCovered(widget());
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            link()->click();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

  private:
    LinkLabel *link() const { return static_cast<LinkLabel *>(widget()); }
};

QAccessibleInterface *kitFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ui::LinkLabel"))
        return new LinkAccessible(static_cast<LinkLabel *>(object));
    // A caption frame the style draws is Qt's own group box.
    if (className == QLatin1String("ui::CaptionFrame") && static_cast<CaptionFrame *>(object)->isEtched())
        return new FrameAccessible(static_cast<QWidget *>(object), QAccessible::Grouping);
    // The kit's frames and the views built on them, and plain frames; Qt's own
    // frame classes keep their interfaces.
    if (className == QLatin1String("ui::Frame") ||
        (className == QLatin1String("QFrame") && object->metaObject() == &QFrame::staticMetaObject))
        return new FrameAccessible(static_cast<QWidget *>(object), QAccessible::Pane);
    // A window built on a bare QWidget (the exit screen) is a window, so that
    // its coming to the front is announced; Qt would make it a filler.
    if (className == QLatin1String("QWidget") && static_cast<QWidget *>(object)->windowType() == Qt::Window)
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

void announceCovering(QWidget *w)
{
    const bool covered = isCovered(w);
    if (w->property(AnnouncedCovered).toBool() == covered)
        return;
    w->setProperty(AnnouncedCovered, covered);
    QAccessible::State changed;
    changed.offscreen = true;
    QAccessibleStateChangeEvent change(w, changed);
    QAccessible::updateAccessibility(&change);
    // Bridges that pass on no off-screen change report showing.
    QAccessibleEvent showing(w, covered ? QAccessible::ObjectHide : QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&showing);
}

class StackingWatch final : public QObject
{
    Q_OBJECT
  public:
    explicit StackingWatch(QObject *parent = nullptr) : QObject(parent) {}

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ZOrderChange)
            if (QWidget *parent = static_cast<QWidget *>(watched)->parentWidget())
                for (QObject *o : parent->children())
                    if (o->isWidgetType())
                        announceCovering(static_cast<QWidget *>(o));
        return false;
    }
};

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(kitFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void watchStacking(QWidget *widget)
{
    static StackingWatch watch;
    widget->installEventFilter(&watch);
}

bool isCovered(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    if (!parent || widget->isWindow())
        return false;
    const QObjectList &siblings = parent->children();
    for (qsizetype i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i) {
        const auto *above = qobject_cast<const QWidget *>(siblings.at(i));
        if (above && !above->isWindow() && above->isVisibleTo(parent) && above->geometry().contains(widget->geometry()))
            return true;
    }
    return false;
}

} // namespace ui

#include "Accessible.moc"
