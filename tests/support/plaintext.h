#ifndef KATEST_PLAINTEXT_H
#define KATEST_PLAINTEXT_H

#include <QString>
#include <QTextDocument>

// Rich text as the user reads it, without its markup.
inline QString plainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

#endif
