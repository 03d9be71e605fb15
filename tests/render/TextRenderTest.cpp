// The text tool's layout and rendering into a layer and its mask.

#include "render/TextRender.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <memory>
#include <set>

namespace {

constexpr TColor Ink = MakeColor(200, 30, 90);

class TextRenderTest : public ::testing::Test {
 protected:
  // Fonts need a GUI application; the render tests otherwise run without one.
  static void SetUpTestSuite() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "render_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
  }
  // The application goes while the program still runs: at exit, after the font caches, it would
  // crash.
  static void TearDownTestSuite() { app_.reset(); }

  static QFont Font(const char* size = "12", TTextStyle style = {}) {
    return TextFont("DejaVu Sans", size, style);
  }

  struct TRendered {
    TSurface Layer;
    TMaskSurface Mask;
  };
  static TRendered Render(const QStringList& lines, TTextAlign align, int w = 120, int h = 80,
                          const QFont& font = Font()) {
    TRendered r{TSurface(w, h, 0x123456), TMaskSurface(w, h, false)};
    RenderText(lines, font, align, Ink, r.Layer, r.Mask);
    return r;
  }

  // The selected pixels of `m` inside rows [top, bottom), moved by (dx, dy).
  static std::set<std::pair<int, int>> Glyphs(const TMaskSurface& m, int top, int bottom,
                                              int dx = 0, int dy = 0) {
    std::set<std::pair<int, int>> found;
    for (int y = top; y < std::min(bottom, m.Height()); ++y)
      for (int x = 0; x < m.Width(); ++x)
        if (m.IsSelected(x, y)) found.insert({x + dx, y + dy});
    return found;
  }

  static int Advance(const QString& text) {
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    return QFontMetrics(Font(), &device).horizontalAdvance(text);
  }

  static inline std::unique_ptr<QGuiApplication> app_;
};

TEST_F(TextRenderTest, GlyphsAreUnsmoothedAndTheLayerTakesTheColourExactlyThere) {
  const TRendered r = Render({"Wag", "fly"}, TTextAlign::Left, 60, 50, Font("14", {true, true}));
  int glyphs = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 60; ++x) {
      const TPixel p = r.Layer.Pixel(x, y);
      if (r.Mask.IsSelected(x, y)) {
        ++glyphs;
        EXPECT_EQ(p, ColorToPixel(Ink));
      } else {
        EXPECT_EQ(p, 0xFFFFFFu) << x << "," << y;  // cleared white, no half-tones
      }
    }
  EXPECT_GT(glyphs, 40);
}

TEST_F(TextRenderTest, LinesAlignWithinTheWidest) {
  const int height = LayoutText({"x", "x"}, Font(), TTextAlign::Left)[1].Y;
  ASSERT_GT(height, 0);
  const int room = Advance("abcd") - Advance("ab");
  // Centred: the short line starts at half the difference, rounded down; the long one at 0.
  const TRendered alone = Render({"ab"}, TTextAlign::Left);
  const TRendered centred = Render({"ab", "abcd"}, TTextAlign::Center);
  EXPECT_EQ(Glyphs(centred.Mask, 0, height), Glyphs(alone.Mask, 0, height, room / 2));
  EXPECT_EQ(Glyphs(centred.Mask, height, 2 * height),
            Glyphs(Render({"abcd"}, TTextAlign::Left).Mask, 0, height, 0, height));
  const TRendered right = Render({"ab", "abcd"}, TTextAlign::Right);
  EXPECT_EQ(Glyphs(right.Mask, 0, height), Glyphs(alone.Mask, 0, height, room));
  const std::vector<TTextLine> laid = LayoutText({"ab", "abcd"}, Font(), TTextAlign::Center);
  EXPECT_EQ(laid[0].X, room / 2);
  EXPECT_EQ(laid[1].X, 0);
}

TEST_F(TextRenderTest, AnEmptyLineAdvancesByABlank) {
  const std::vector<TTextLine> laid = LayoutText({"a", "", "b"}, Font(), TTextAlign::Right);
  ASSERT_EQ(laid.size(), 3u);
  EXPECT_EQ(laid[1].Text, " ");
  EXPECT_EQ(laid[2].Y, 2 * laid[1].Y);
  // Right-aligned, the blank counts towards the widest line.
  EXPECT_EQ(LayoutText({"", "i"}, Font(), TTextAlign::Right)[1].X,
            std::max(0, Advance(" ") - Advance("i")));
  const TRendered r = Render({"a", "", "b"}, TTextAlign::Left);
  EXPECT_TRUE(Glyphs(r.Mask, laid[1].Y, laid[2].Y).empty());
  EXPECT_EQ(Glyphs(r.Mask, laid[2].Y, 80),
            Glyphs(Render({"b"}, TTextAlign::Left).Mask, 0, 80, 0, laid[2].Y));
}

TEST_F(TextRenderTest, TextIsCutAtThePictureEdge) {
  // A huge text on a tiny picture: what fits is drawn, nothing more is touched.
  TSurface layer(5, 3, 0);
  TMaskSurface mask(5, 3, false);
  RenderText({"MMMMMMMM", "MMMM"}, Font("200"), TTextAlign::Center, Ink, layer, mask);
  EXPECT_EQ(layer.Width(), 5);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(layer.Pixel(x, y), mask.IsSelected(x, y) ? ColorToPixel(Ink) : 0xFFFFFFu);
  // An empty text leaves both cleared.
  RenderText({""}, Font(), TTextAlign::Left, Ink, layer, mask);
  EXPECT_FALSE(mask.AnySelected());
}

TEST_F(TextRenderTest, ASizeThatIsNoNumberFallsBackToTheDefaultFontAtEight) {
  const QString desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  for (const char* size : {"7x", "", "0", "-3", "501", "99999999999"}) {
    const QFont font = TextFont("DejaVu Serif", size, {true, false, true, false});
    EXPECT_EQ(font.family(), desktop) << size;
    EXPECT_EQ(font.pointSize(), 8) << size;
    EXPECT_TRUE(font.bold() && font.underline() && !font.italic()) << size;  // styles stay
  }
  const QFont font = TextFont("DejaVu Serif", " 13 ", {});
  EXPECT_EQ(font.family(), "DejaVu Serif");
  EXPECT_EQ(font.pointSize(), 13);
}

}  // namespace
