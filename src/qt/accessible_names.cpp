#include "qt/accessible_names.hpp"

#include <QAccessible>
#include <QAccessibleWidget>

#include <array>
#include <utility>

#include "qt/clickable_label.hpp"

namespace comet {
namespace {

// The names of the controls whose text is no name (a list, a box, a text) or none at all.
constexpr std::array<std::pair<const char*, const char*>, 12> kNames{{
    {"Text1", "Source program"},
    {"List1", "Object program"},
    {"List2", "Memory dump"},
    {"Combo1", "Instruction"},
    {"txtGR6", "PC"},
    {"txtGR0", "GR0"},
    {"txtGR1", "GR1"},
    {"txtGR2", "GR2"},
    {"txtGR3", "GR3"},
    {"txtGR4", "GR4 (SP)"},
    {"txtGR5", "FR"},
    {"problemList", "Problems"},
}};

// The mode label, clicked like a button and named by what it shows.
class ModeLabelAccessible : public QAccessibleWidget {
public:
    explicit ModeLabelAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked()"));
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) emit static_cast<ClickableLabel*>(widget())->clicked();
    }
};

QAccessibleInterface* modeLabelFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("comet::ClickableLabel") || !object->isWidgetType()) return nullptr;
    return new ModeLabelAccessible(static_cast<QWidget*>(object));
}

}  // namespace

void makeAccessible(QWidget* window) {
    QAccessible::installFactory(modeLabelFactory);  // once: a factory installed already is not added again
    for (const auto& [objectName, name] : kNames) {
        const QString wanted = QLatin1String(objectName);
        QWidget* control = window->objectName() == wanted ? window : window->findChild<QWidget*>(wanted);
        if (control != nullptr) control->setAccessibleName(QLatin1String(name));
    }
}

}  // namespace comet
