#ifndef ACCESSIBILITY_H
#define ACCESSIBILITY_H

class QLabel;

// What screen readers are told beyond what Qt tells them itself.
namespace Accessibility {

// The label is drawn as a separator and is presented as one, not read as text.
void presentAsSeparator(QLabel* label);

} // namespace Accessibility

#endif // ACCESSIBILITY_H
