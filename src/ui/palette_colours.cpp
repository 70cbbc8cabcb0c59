#include "ui/palette_colours.h"

#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

namespace zelvar {
namespace {

constexpr float kLightnessStep = 0.01F;

// Each background role with the text role drawn on it.
constexpr std::pair<QPalette::ColorRole, QPalette::ColorRole> kTextOn[] = {
    {QPalette::Window, QPalette::WindowText},
    {QPalette::Button, QPalette::ButtonText},
    {QPalette::Base, QPalette::Text}};

double channel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

QPalette::ColorRole textRoleOn(QPalette::ColorRole background) {
    for (const auto& [on, text] : kTextOn) {
        if (on == background)
            return text;
    }
    return QPalette::WindowText;
}

}  // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor textColourFor(const QColor& background) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

QColor readableOn(const QColor& wanted, const QColor& background) {
    const bool lighten = textColourFor(background) == QColor(Qt::white);
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    wanted.toHsl().getHslF(&hue, &saturation, &lightness);
    QColor colour = wanted;
    while (contrastRatio(colour, background) < kReadableContrast &&
           (lighten ? lightness < 1 : lightness > 0)) {
        lightness =
            std::clamp(lightness + (lighten ? kLightnessStep : -kLightnessStep), 0.0F, 1.0F);
        colour = QColor::fromHslF(hue, saturation, lightness).toRgb();
    }
    return colour;
}

void setTextColour(QWidget* widget, std::optional<QColor> colour) {
    // An empty palette inherits the parent's, so the system colours come back.
    widget->setPalette(QPalette());
    if (!colour)
        return;
    QPalette palette = widget->palette();
    for (const auto& [background, text] : kTextOn) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, text, readableOn(*colour, palette.color(group, background)));
        }
    }
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, QPalette::ColorRole background, std::optional<QColor> colour) {
    widget->setPalette(QPalette());
    if (!colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(background, *colour);
    palette.setColor(textRoleOn(background), textColourFor(*colour));
    widget->setPalette(palette);
}

}  // namespace zelvar
