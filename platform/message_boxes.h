#pragma once
// Message boxes, reached only through this seam so that tests can answer them.
#include <QString>

enum class BoxIcon { Error, Warning, Question, Information };
enum class BoxButtons { Ok, OkCancel, RetryCancel };
enum class BoxAnswer { Ok, Cancel, Retry };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal box and returns the button pressed. OK and Retry are the default
    // buttons; Escape or closing the box answers Cancel (OK for a box with OK only).
    virtual BoxAnswer show(const QString& title, const QString& text, BoxIcon icon,
                           BoxButtons buttons) = 0;
};
