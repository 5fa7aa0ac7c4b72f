#include "chart/canvas/TSvgCanvas3D.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gui/ShownText.h"
#include "gui/TRasterCanvas.h"
#include "tests/support/CodePageScope.h"
#include "tests/support/WellFormedXml.h"

namespace {

// The elements one drawing step writes on a fresh 100 x 50 surface.
std::string ElementsOf(const std::function<void(TSvgCanvas3D&)>& draw) {
  TSvgCanvas3D canvas("p-");
  TRasterCanvas window;
  canvas.ResetState();
  canvas.Font.Name = FakeFontName;
  canvas.BeginDrawing(window, {10, 20, 110, 70}, 100);
  draw(canvas);
  canvas.FinishDrawing(window, window, {10, 20});
  std::string elements = canvas.Elements();
  EXPECT_EQ(TWellFormedXml::Fault("<svg>" + elements + "</svg>"), "") << elements;
  return elements;
}

struct SvgCase {
  const char* name;
  std::function<void(TSvgCanvas3D&)> draw;
  std::string elements;
};

class SvgElements : public testing::TestWithParam<SvgCase> {};

TEST_P(SvgElements, AreWhatARasterWouldShow) { EXPECT_EQ(ElementsOf(GetParam().draw), GetParam().elements); }

const auto kGreyDots = [](TSvgCanvas3D& c) {
  c.Pen.Color = clGray;
  c.Pen.Style = psUserStyle;
  c.Pen.UserDotPeriod = 3;
};

INSTANTIATE_TEST_SUITE_P(
    Calls, SvgElements,
    testing::Values(
        // Along the pixel centres, the end pixel left out in either direction.
        SvgCase{
            "LineRightEndsBeforeItsEndPixel", [](TSvgCanvas3D& c) { c.LineSegment(2, 3, 9, 3); },
            "<line x1=\"2\" y1=\"3.5\" x2=\"9\" y2=\"3.5\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1\"/>\n"},
        SvgCase{
            "LineUpEndsBeforeItsEndPixel", [](TSvgCanvas3D& c) { c.LineSegment(4, 9, 4, 2); },
            "<line x1=\"4.5\" y1=\"10\" x2=\"4.5\" y2=\"3\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1\"/>\n"},
        SvgCase{"PointLineDrawsNothing", [](TSvgCanvas3D& c) { c.LineSegment(4, 4, 4, 4); }, ""},
        SvgCase{"ClearPenDrawsNothing",
                [](TSvgCanvas3D& c) {
                  c.Pen.Style = psClear;
                  c.LineSegment(0, 0, 9, 0);
                },
                ""},
        // The pattern goes on from line to line until the pen moves.
        SvgCase{"DotsGoOnAlongConnectedLines",
                [](TSvgCanvas3D& c) {
                  kGreyDots(c);
                  c.MovePenTo(0, 0);
                  c.DrawLineTo(5, 0);
                  c.DrawLineTo(5, 4);
                  c.LineSegment(0, 9, 4, 9);
                },
                "<line x1=\"0\" y1=\"0.5\" x2=\"5\" y2=\"0.5\" fill=\"none\" stroke=\"#808080\" stroke-width=\"1\" "
                "stroke-dasharray=\"1 2\" stroke-dashoffset=\"0\"/>\n"
                "<line x1=\"5.5\" y1=\"0\" x2=\"5.5\" y2=\"4\" fill=\"none\" stroke=\"#808080\" stroke-width=\"1\" "
                "stroke-dasharray=\"1 2\" stroke-dashoffset=\"5\"/>\n"
                "<line x1=\"0\" y1=\"9.5\" x2=\"4\" y2=\"9.5\" fill=\"none\" stroke=\"#808080\" stroke-width=\"1\" "
                "stroke-dasharray=\"1 2\" stroke-dashoffset=\"0\"/>\n"},
        SvgCase{"WidePenIsCentredOnItsPoints",
                [](TSvgCanvas3D& c) {
                  c.Pen.Width = 2;
                  c.Pen.EndStyle = esFlat;
                  c.LineSegment(3, 1, 3, 8);
                },
                "<line x1=\"3\" y1=\"1\" x2=\"3\" y2=\"8\" fill=\"none\" stroke=\"#000000\" stroke-width=\"2\" "
                "stroke-linecap=\"butt\"/>\n"},
        // Interior by the brush on the pixel edges, outline on the edge pixels' centres.
        SvgCase{"RectangleFillsAndOutlines",
                [](TSvgCanvas3D& c) {
                  c.Brush.Color = clRed;
                  c.Rectangle({1, 2, 5, 6});
                },
                "<rect x=\"1\" y=\"2\" width=\"4\" height=\"4\" fill=\"#ff0000\"/>\n"
                "<rect x=\"1.5\" y=\"2.5\" width=\"3\" height=\"3\" fill=\"none\" stroke=\"#000000\" "
                "stroke-width=\"1\"/>\n"},
        SvgCase{"ClearBrushFillsNothing",
                [](TSvgCanvas3D& c) {
                  c.Brush.Style = bsClear;
                  c.FillRectangle({1, 2, 5, 6});
                },
                ""},
        SvgCase{"PixelIsASquare", [](TSvgCanvas3D& c) { c.SetPixel(7, 8, clBlue); },
                "<rect x=\"7\" y=\"8\" width=\"1\" height=\"1\" fill=\"#0000ff\"/>\n"},
        // Clips intersect; UnClip goes back one level; groups never stay open.
        SvgCase{"ClipsAreGroupsThatClose",
                [](TSvgCanvas3D& c) {
                  c.ClipRectangle({0, 0, 50, 40});
                  c.ClipRectangle({10, 10, 90, 90});
                  c.SetPixel(1, 1, clBlack);
                  c.UnClip();
                },
                "<clipPath id=\"p-clip1\"><rect x=\"0\" y=\"0\" width=\"50\" height=\"40\"/></clipPath>\n"
                "<g clip-path=\"url(#p-clip1)\">\n</g>\n"
                "<clipPath id=\"p-clip2\"><rect x=\"10\" y=\"10\" width=\"40\" height=\"30\"/></clipPath>\n"
                "<g clip-path=\"url(#p-clip2)\">\n"
                "<rect x=\"1\" y=\"1\" width=\"1\" height=\"1\" fill=\"#000000\"/>\n</g>\n"
                "<clipPath id=\"p-clip3\"><rect x=\"0\" y=\"0\" width=\"50\" height=\"40\"/></clipPath>\n"
                "<g clip-path=\"url(#p-clip3)\">\n</g>\n"},
        // Placed by the alignment as on a raster; XML-escaped, 8-bit text as shown.
        SvgCase{"TextIsPlacedLikeOnARaster",
                [](TSvgCanvas3D& c) {
                  c.SetTextAlign(TextAlignRight);
                  c.TextOut(40, 5, "a<\xB3");
                },
                "<g transform=\"translate(40 5)\"><text x=\"-18\" y=\"13\" font-family=\"Fixed Test 6x13\" "
                "font-size=\"11px\" fill=\"#000000\" xml:space=\"preserve\">a&lt;\xC2\xB3</text></g>\n"},
        SvgCase{"OpaqueTextHasItsBox",
                [](TSvgCanvas3D& c) {
                  c.SetBackMode(BackModeOpaque);
                  c.SetTextBackColor(clYellow);
                  c.Font.Escapement = 900;
                  c.TextOut(4, 30, "ab");
                },
                "<g transform=\"translate(4 30) rotate(-90)\"><rect x=\"0\" y=\"0\" width=\"12\" height=\"13\" "
                "fill=\"#ffff00\"/><text x=\"0\" y=\"13\" font-family=\"Fixed Test 6x13\" font-size=\"11px\" "
                "fill=\"#000000\" xml:space=\"preserve\">ab</text></g>\n"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SvgCanvas, MeasuresTextLikeARaster) {
  TSvgCanvas3D canvas("p-");
  canvas.Font.Name = FakeFontName;
  canvas.Font.InterCharSize = 1;
  EXPECT_EQ(canvas.MeasureTextWidth("abc"), 21);
  EXPECT_EQ(canvas.MeasureTextHeight("abc"), FakeFontCharHeight);
}

// What a text becomes between the tags of its element: the characters the
// window shows (8-bit text in the Windows code page), escaped, and what XML
// cannot hold at all replaced.
struct TextCase {
  const char* name;
  std::string text;
  std::string xml;
};

class SvgText : public testing::TestWithParam<TextCase> {};

std::string TextElementContent(const std::string& elements) {
  const std::size_t start = elements.find("preserve\">");
  const std::size_t end = elements.find("</text>");
  return start == std::string::npos || end == std::string::npos ? "" : elements.substr(start + 10, end - start - 10);
}

TEST_P(SvgText, IsEscapedAsTheWindowShowsIt) {
  const TCodePageScope codePage(1252);
  const std::string elements = ElementsOf([](TSvgCanvas3D& c) { c.TextOut(0, 0, GetParam().text); });
  EXPECT_EQ(TextElementContent(elements), GetParam().xml);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SvgText,
    testing::Values(TextCase{"Ampersand", "Fuel & air", "Fuel &amp; air"},
                    TextCase{"MarkupAndQuotes", "<a b=\"c\" d='e'>", "&lt;a b=&quot;c&quot; d=&apos;e&apos;&gt;"},
                    TextCase{"TabAndLineBreaksAsReferences", "a\tb\nc\rd", "a&#9;b&#10;c&#13;d"},
                    TextCase{"EscapeCharacterReplaced", "\x1B[1m", "\xEF\xBF\xBD[1m"},
                    TextCase{"ControlsReplacedDeleteKept", "\x01\x08\x0B\x0C\x1F\x7F",
                             "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\x7F"},
                    TextCase{"Utf8Kept", "\xC2\xB5s \xF0\x9F\x9A\x97", "\xC2\xB5s \xF0\x9F\x9A\x97"},
                    TextCase{"NonCharactersReplaced", "\xEF\xBF\xBE\xEF\xBF\xBF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
                    TextCase{"EightBitInTheCodePage",
                             "\xB0"
                             "C \x80",
                             "\xC2\xB0"
                             "C \xE2\x82\xAC"},
                    TextCase{"UndefinedInTheCodePageReplaced", "\x81", "\xEF\xBF\xBD"},
                    TextCase{"LoneSurrogateIsEightBitText", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}),
    [](const auto& test) { return std::string(test.param.name); });

// Every byte, alone and in one text, in the code pages of several
// languages, in the text and in the font name: the elements always parse.
TEST(SvgText, EveryByteInEveryCodePageGivesWellFormedXml) {
  std::string all;
  for (int byte = 0x01; byte <= 0xFF; ++byte) {
    all += static_cast<char>(byte);
  }
  for (const int page : {1250, 1251, 1252, 1253, 1255, 1256, 1257}) {
    const TCodePageScope codePage(page);
    for (std::size_t i = 0; i <= all.size(); ++i) {
      const std::string text = i < all.size() ? all.substr(i, 1) : all;
      const std::string elements = ElementsOf([&text](TSvgCanvas3D& c) {
        c.Font.Name = text;
        c.TextOut(0, 0, text);
      });
      EXPECT_NE(elements.find("<text"), std::string::npos);
    }
  }
}

}  // namespace
