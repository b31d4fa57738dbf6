#include "qt/window_texts.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace comet {

QString shownMessage(Msg id, std::initializer_list<std::string_view> args) {
    return QString::fromStdString(message(id, args));
}

QString withKey(const QString& tip, const QKeySequence& key) {
    return tip + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

void translateQtTexts(QTranslator& translator, Language language) {
    QCoreApplication::removeTranslator(&translator);
    if (language == Language::English) return;
    if (translator.load(QStringLiteral("qtbase_") + QString::fromLatin1(languageCode(language)),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

}  // namespace comet
