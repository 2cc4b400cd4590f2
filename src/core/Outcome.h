// What a logic routine did: success, or a refusal or failure with the message it carries.
//
// Logic never shows a box. It returns an Outcome; a screen shows its message in the box of
// its kind under its caption, and the batch tool writes the text to standard error. A
// success may carry a message too (for example "CSVディレクトリに…出力されました。").
#pragma once

#include <QString>

inline const QString AppTitle = QStringLiteral("Wageloom賃金Slim Free版");

struct Outcome {
    enum class Kind { Information, Warning, Error };

    bool ok = true;
    Kind kind = Kind::Information;
    QString caption;     // the box's caption ('' for an empty caption)
    QString text;        // '' = nothing to say

    bool hasMessage() const { return !text.isEmpty(); }

    // Success, silent or with a closing message under the application title.
    static Outcome Done(const QString& text = {}, const QString& caption = AppTitle)
    {
        return {true, Kind::Information, caption, text};
    }
    // A refusal: the precondition was not met, nothing was written.
    static Outcome Refused(const QString& text, const QString& caption = AppTitle)
    {
        return {false, Kind::Information, caption, text};
    }
    // A refusal shown as a warning box.
    static Outcome Warned(const QString& text, const QString& caption = AppTitle)
    {
        return {false, Kind::Warning, caption, text};
    }
    // A failure of the work itself (a file or a statement); nothing was written.
    static Outcome Failed(const QString& text, const QString& caption = AppTitle)
    {
        return {false, Kind::Error, caption, text};
    }
};
