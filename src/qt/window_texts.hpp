// The window's own texts in the current language. Each is kept with what shows it, so
// that a change of language draws every one anew from the same place that first drew it.
#pragma once

#include <QKeySequence>
#include <QString>

class QTranslator;

#include <functional>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "workbench/messages.hpp"

namespace comet {

// The catalogue's text as Qt shows it.
QString shownMessage(Msg id, std::initializer_list<std::string_view> args = {});

// A tooltip that names the command's key: "Assemble the program (F7)".
QString withKey(const QString& tip, const QKeySequence& key);

// Qt's own texts (the editors' context menus, the file dialogs, standard buttons) from
// Qt's translation into the language, where one is installed; in English otherwise.
void translateQtTexts(QTranslator& translator, Language language);

class WindowTexts {
public:
    // `show` draws its texts now and again at every apply().
    void keep(std::function<void()> show) {
        show();
        shows_.push_back(std::move(show));
    }
    template <class T>
    void text(T* shower, Msg id) {
        keep([shower, id] { shower->setText(shownMessage(id)); });
    }
    template <class T>
    void title(T* window, Msg id) {
        keep([window, id] { window->setWindowTitle(shownMessage(id)); });
    }
    template <class T>
    void tip(T* shower, Msg id) {
        keep([shower, id] { shower->setToolTip(shownMessage(id)); });
    }
    // The tip names the key the shower has when the texts are drawn.
    template <class T, class Keyed>
    void tip(T* shower, Msg id, Keyed* keyed) {
        keep([shower, id, keyed] { shower->setToolTip(withKey(shownMessage(id), keyed->shortcut())); });
    }
    void apply() const {
        for (const auto& show : shows_) show();
    }

private:
    std::vector<std::function<void()>> shows_;
};

}  // namespace comet
