// Colours the window sets itself, in a light and a dark palette: every text reads well on what it
// is drawn on, also after the desktop switches palettes.
#include <algorithm>
#include <map>

#include "setup_window_support.h"
#include "ui/palette_colours.h"

namespace zelvar {
namespace {

TEST(ReadableColours, ReachTheContrastAndKeepTheirHue) {
    for (int grey = 0; grey <= 255; grey += 15) {
        const QColor background(grey, grey, 255 - grey);
        for (const QColor wanted : {QColor(0, 128, 0), QColor(192, 0, 0), QColor(0, 0, 255),
                                    QColor(255, 255, 128), QColor(128, 128, 128)}) {
            const QColor chosen = readableOn(wanted, background);
            EXPECT_GE(contrastRatio(chosen, background), kReadableContrast)
                << grey << " " << wanted.name().toStdString();
            if (contrastRatio(wanted, background) >= kReadableContrast) {
                EXPECT_EQ(chosen, wanted);
            } else if (wanted.hslSaturation() > 0 && chosen.hslSaturation() > 0) {
                EXPECT_NEAR(chosen.hslHueF(), wanted.hslHueF(), 0.01);
            }
        }
        EXPECT_GE(contrastRatio(textColourFor(background), background), kReadableContrast);
    }
    // WCAG's own reference values.
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21, 1e-9);
    EXPECT_NEAR(contrastRatio(QColor(255, 0, 0), Qt::white), 4.0, 0.005);
}

class SetupColours : public testing::SetupWindowTest {
  protected:
    SetupColours() : SetupWindowTest([] { return std::vector<NumberedPort>{}; }) {}
    ~SetupColours() override { QApplication::setPalette(startPalette_); }

    // Once the window has taken `palette`, and chosen its colours again (after its widgets have
    // taken it): the texts it colours itself that do not read well on what they are drawn on.
    QStringList unreadableOn(const QPalette& palette) {
        QApplication::setPalette(palette);
        const QColor background = palette.color(QPalette::Window);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->palette().window() == background; }));
        const std::tuple<const char*, QPalette::ColorRole, QPalette::ColorRole> shown[] = {
            {"Label6", QPalette::ButtonText, QPalette::Window},
            {"Label33", QPalette::ButtonText, QPalette::Window},
            {"chk300Baud", QPalette::WindowText, QPalette::Window},
            {"cmdLatLon", QPalette::ButtonText, QPalette::Button},
            {"cmdPortDevice", QPalette::ButtonText, QPalette::Button},
            {"edBeacon", QPalette::Text, QPalette::Base}};
        QStringList unreadable;
        const bool readable = QTest::qWaitFor([&] {
            unreadable.clear();
            for (const auto& [name, text, drawnOn] : shown) {
                const QPalette colours = control<QWidget>(name)->palette();
                if (contrastRatio(colours.color(text), colours.color(drawnOn)) < kReadableContrast)
                    unreadable << name;
            }
            return unreadable.isEmpty();
        });
        return readable ? QStringList() : unreadable;
    }

  private:
    QPalette startPalette_ = QApplication::palette();
};

// Light and dark palettes as one colour makes them (black text on light grey, white on dark
// grey), switched to and back, with every colour of the window's own on: GPSless, 300 baud, a
// port that is not there and a calculated beacon. A style paints its own face under a button's
// text (Fusion a gradient lighter than the palette's Button colour in a dark palette): each
// coloured button text is measured against the face as painted, in every row its letters reach.
TEST_F(SetupColours, EveryTextReadsWellOnWhatIsPaintedUnderItInLightAndDarkPalettes) {
    const QPalette light(QColor(239, 239, 239));
    QApplication::setPalette(light);
    typeInto("edGpsAcqTime", "0");
    control<QCheckBox>("chk300Baud")->setChecked(true);
    typeInto("edComm", "7");
    click("cmdLatLon");
    click("cmdCalc");
    QWidget* port = control<QWidget>("cmdPortDevice");
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->accessibleName().contains("no such port"); }));
    auto near = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 &&
               std::abs(a.blue() - b.blue()) < 24;
    };
    for (const QPalette& palette :
         {light, QPalette(QColor(41, 44, 48)), QPalette(QColor(53, 53, 53)), light}) {
        const std::string face = palette.color(QPalette::Button).name().toStdString();
        ASSERT_EQ(unreadableOn(palette), QStringList()) << "the colours are chosen again: " << face;
        for (const char* name : {"cmdPortDevice", "cmdLatLon"}) {
            QWidget* button = control<QWidget>(name);
            const QColor text = button->palette().color(QPalette::ButtonText);
            const QImage painted = button->grab().toImage();
            int rows = 0;
            double worst = 21;
            for (int y = 0; y < painted.height(); ++y) {
                // A row the letters' cores reach (their edges are softened), on the row's
                // commonest colour.
                std::map<QRgb, int> counts;
                bool letters = false;
                for (int x = 0; x < painted.width(); ++x) {
                    ++counts[painted.pixel(x, y)];
                    letters = letters || near(painted.pixel(x, y), text);
                }
                if (!letters)
                    continue;
                ++rows;
                const QRgb rowFace =
                    std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)
                        ->first;
                worst = std::min(worst, contrastRatio(text, rowFace));
            }
            EXPECT_GT(rows, 0) << name << " on " << face;
            EXPECT_GE(worst, kReadableContrast) << name << " on " << face;
        }
    }
}

}  // namespace
}  // namespace zelvar
