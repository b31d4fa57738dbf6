#include "qt/accessible_names.hpp"

#include <QAccessible>
#include <QAccessibleWidget>

#include <array>
#include <utility>

#include "qt/clickable_label.hpp"
#include "qt/window_texts.hpp"

namespace comet {
namespace {

// The names of the controls whose text is no name (a list, a box, a text) or none at all:
// the registers by their own names, the others by what they hold, in the current language.
constexpr std::array<std::pair<const char*, const char*>, 7> kRegisterNames{{
    {"txtGR6", "PC"},
    {"txtGR0", "GR0"},
    {"txtGR1", "GR1"},
    {"txtGR2", "GR2"},
    {"txtGR3", "GR3"},
    {"txtGR4", "GR4 (SP)"},
    {"txtGR5", "FR"},
}};
constexpr std::array<std::pair<const char*, Msg>, 5> kNames{{
    {"Text1", Msg::NameSource},
    {"List1", Msg::NameListing},
    {"List2", Msg::NameDump},
    {"Combo1", Msg::NameChooser},
    {"problemList", Msg::TitleProblems},
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
    const auto name = [window](const char* objectName, const QString& name) {
        const QString wanted = QLatin1String(objectName);
        QWidget* control = window->objectName() == wanted ? window : window->findChild<QWidget*>(wanted);
        if (control != nullptr) control->setAccessibleName(name);
    };
    for (const auto& [objectName, registerName] : kRegisterNames) name(objectName, QLatin1String(registerName));
    for (const auto& [objectName, id] : kNames) name(objectName, shownMessage(id));
}

}  // namespace comet
