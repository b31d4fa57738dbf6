#include "qt/window_texts.hpp"

namespace comet {

QString shownMessage(Msg id, std::initializer_list<std::string_view> args) {
    return QString::fromStdString(message(id, args));
}

QString withKey(const QString& tip, const QKeySequence& key) {
    return tip + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

}  // namespace comet
