#pragma once

#include <QColor>
#include <QPalette>
#include <optional>

class QWidget;

namespace zelvar {

// Text reads well on its background from this contrast on (WCAG AA for normal text).
inline constexpr double kReadableContrast = 4.5;

// The WCAG contrast ratio of two colours, 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

// `wanted` itself when it reads well on `background`; else the same hue made darker on a light
// background, lighter on a dark one, just enough to read well.
QColor readableOn(const QColor& wanted, const QColor& background);
// The same for text drawn on a background that shades between `darkest` and `lightest`.
QColor readableOn(const QColor& wanted, const QColor& darkest, const QColor& lightest);

// Black or white, whichever reads better on `background`.
QColor textColourFor(const QColor& background);

// Gives the widget's text `colour`, made readable on each background it is drawn on (window,
// button, field; a push button's as its style paints it), or, with no colour, the palette's own
// text colours again.
void setTextColour(QWidget* widget, std::optional<QColor> colour);

// Paints the widget's `background` role (Window, Button or Base) in `colour` and its text in
// black or white to match, or, with no colour, gives it the palette's own colours again.
void setBackground(QWidget* widget, QPalette::ColorRole background, std::optional<QColor> colour);

}  // namespace zelvar
