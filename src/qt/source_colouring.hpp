// The editor's syntax colours: the spans the assembler's lexer reads in each line,
// in colours readable on the editor's light or dark background.
#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include "assembler/colouring.hpp"

namespace comet {

class SourceColouring : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit SourceColouring(QTextDocument* document);

    // Follows the editor's background: a dark one takes the dark set of colours.
    void followBackground(const QColor& base);
    bool dark() const { return dark_; }
    QTextCharFormat formatOf(SpanKind kind) const;

protected:
    void highlightBlock(const QString& text) override;

private:
    bool dark_ = false;
};

}  // namespace comet
