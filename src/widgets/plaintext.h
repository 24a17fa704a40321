#pragma once

class QWidget;

namespace drovex {

// Shows this widget's tooltip as plain text even when it looks like markup (text read from
// track files and paths typed by users must never turn bold or into a link).
void usePlainToolTip(QWidget* widget);

} // namespace drovex
