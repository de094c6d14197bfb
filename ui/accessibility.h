#ifndef ACCESSIBILITY_H
#define ACCESSIBILITY_H

#include <QString>

class QLabel;
class QWidget;

// What screen readers are told beyond what Qt tells them itself.
namespace Accessibility {

// Tells assistive tools that what the widget says has changed. A label's text is its name, and Qt
// sends nothing when the text changes.
void announce(QWidget* widget);

// Sets the label's text; tells assistive tools only when it changed.
void setAnnouncedText(QLabel* label, const QString& text);

// The label is drawn as a separator and is presented as one, not read as text.
void presentAsSeparator(QLabel* label);

} // namespace Accessibility

#endif // ACCESSIBILITY_H
