#include "ui/window/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

const char* const kSeparatorProperty = "kaSeparator";

QAccessibleInterface* separatorFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QLabel") || !object->property(kSeparatorProperty).toBool())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
}

} // namespace

namespace Accessibility {

void presentAsSeparator(QLabel* label)
{
    static const bool installed = (QAccessible::installFactory(separatorFactory), true);
    Q_UNUSED(installed)
    label->setProperty(kSeparatorProperty, true);
}

} // namespace Accessibility
