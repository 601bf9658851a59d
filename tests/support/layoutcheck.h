// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

// What is wrong with how AWindow's visible controls are laid out, or an
// empty text: every control lies inside its parent, no two controls with
// the same parent overlap, and no caption is narrower than its text.
inline QString LayoutFault(const QWidget& AWindow)
{
    QList<const QWidget*> Shown;
    for (const QWidget* Control : AWindow.findChildren<QWidget*>())
        if (Control->isVisibleTo(&AWindow) && !Control->isWindow())
            Shown.append(Control);
    for (const QWidget* Control : Shown) {
        const QString Name = Control->objectName().isEmpty()
                                 ? QString::fromLatin1(Control->metaObject()->className())
                                 : Control->objectName();
        if (!Control->parentWidget()->rect().contains(Control->geometry()))
            return Name + QStringLiteral(" leaves its parent");
        const bool Captioned = qobject_cast<const QLabel*>(Control) != nullptr ||
                               qobject_cast<const QAbstractButton*>(Control) != nullptr;
        if (Captioned && Control->width() < Control->sizeHint().width())
            return Name + QStringLiteral(" cuts its caption");
        for (const QWidget* Other : Shown)
            if (Other != Control && Other->parentWidget() == Control->parentWidget() &&
                Other->geometry().intersects(Control->geometry()))
                return Name + QStringLiteral(" overlaps ") + Other->objectName();
    }
    return {};
}
