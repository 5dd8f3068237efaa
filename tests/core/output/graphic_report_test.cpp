#include "core/output/graphic_report.h"

#include <gtest/gtest.h>

#include "support/scratch.h"

namespace orvo {
void PrintTo(const PictureText& t, std::ostream* os) {
  *os << "{" << t.x << "," << t.y << "," << t.font.name << "," << t.text << "}";
}
}  // namespace orvo

namespace orvo::test {
namespace {

// Every character 7 pixels wide (Small Fonts: 4), every line 13 high.
class FixedMetrics : public TextMetrics {
 public:
  int Width(const FontChoice& font, std::string_view s) override {
    return static_cast<int>(s.size()) * (font.name == "Small Fonts" ? 4 : 7);
  }
  int Height(const FontChoice&, std::string_view) override { return 13; }
};

// Ucet (text, 6), Castka (number, 10) as the browser lays them out.
ImaHandOver TwoColumns() {
  ImaHandOver h;
  h.ImaColStart = {1, 9};
  h.ImaColWidth = {7, 11};
  h.ImaPageRows = 10;
  return h;
}

const std::vector<std::string> kReport{
    "",
    "Pokladna                STR:    1",
    "",
    "Ucet        Castka",
    "",
    "311000     1000,00",
    "321000       -5,50",
    "Celkem     994,50",
};

TEST(ImaLayout, ColumnEdgesComeFromTheWidestTexts) {
  FixedMetrics m;
  const ImaHandOver h = TwoColumns();
  ImaLayout layout(m, h, {'P', 'N'});
  layout.Measure(kReport);
  // Widest: "311000" / "Ucet" -> 6 characters; "1000,00" -> 7 ("Castka" 6).
  const int x1 = 33 + 6 * 7 + 4;
  const int x2 = x1 + 7 * 7 + 4;
  EXPECT_EQ(layout.Edges(), (std::vector<int>{31, x1, x2}));
  EXPECT_EQ(layout.PictureWidth(), x2 + 32);
  EXPECT_EQ(layout.TitleLimit(), x2 - 26);
  // Title, captions, eight rows: 31 + 16 + 7 + 16 + 6 + 8 * 17 + 15.
  EXPECT_EQ(layout.PlannedHeight(), 31 + 16 + 7 + 16 + 6 + 8 * 17 + 15);
}

TEST(ImaLayout, TitlesAreFittedToTheLimit) {
  FixedMetrics m;
  const ImaHandOver h = TwoColumns();
  ImaLayout layout(m, h, {'P', 'N'});
  layout.Measure(kReport);
  const int limit = layout.TitleLimit();  // 106 pixels: 15 characters
  FontChoice font;
  // Blanks go from runs of three until it fits; "STR:" then moves right.
  std::string fitted = layout.FitTitle("Kniha        STR:1", font);
  EXPECT_EQ(font.name, "Courier New");
  EXPECT_LE(m.Width(font, fitted), limit);
  EXPECT_EQ(fitted, "Kniha     STR:1");
  fitted = layout.FitTitle("Kniha STR:1", font);
  EXPECT_EQ(fitted, "Kniha     STR:1");
  // Too long even without its blanks: Small Fonts, which stays in effect.
  fitted = layout.FitTitle("Hlavni kniha uctu 2026", font);
  EXPECT_EQ(font.name, "Small Fonts");
  EXPECT_EQ(font.size, 7);
  EXPECT_LE(m.Width(font, fitted), limit);
}

TEST(ImaLayout, PagePositionsLinesAndTheGrandTotal) {
  FixedMetrics m;
  const ImaHandOver h = TwoColumns();
  ImaLayout layout(m, h, {'P', 'N'});
  layout.Measure(kReport);
  const auto& x = layout.Edges();
  const std::vector<std::string> buffer{"Kasa  STR:1    ", "Ucet        Castka    ",
                                        "311000     1000,00    ", "Celkem     994,50    "};
  for (bool frames : {true, false}) {
    SCOPED_TRACE(frames);
    bool tooTall = true;
    const auto pictures = layout.Page(buffer, frames, &tooTall);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_FALSE(tooTall);
    const PagePicture& p = pictures[0];
    EXPECT_EQ(p.width, layout.PictureWidth());
    // Title at 31; the box top at 31 + 16 + 2; captions 5 lower.
    const int top = 31 + 16 + 2;
    const int captions = top + 5;
    const int rows = captions + 16 + 2 + 4;
    std::vector<PictureText> want{
        {31, 31, h.ImaHeadFont, "Kasa      STR:1"},
        {x[0] + 3, captions, h.ImaItemFont, "Ucet"},
        {x[2] - 6 * 7 - 1, captions, h.ImaItemFont, "Castka"},
        {x[0] + 3, rows, h.ImaItemFont, "311000"},
        {x[2] - 7 * 7 - 1, rows, h.ImaItemFont, "1000,00"},
        // The grand total: the longest run of S narrower than the column.
        {x[0] + 3, rows + 17, h.ImaItemFont, "SSSSSS"},
        {x[2] - 6 * 7 - 1, rows + 17, h.ImaItemFont, "994,50"},
    };
    EXPECT_EQ(p.texts, want);
    const int bottom = rows + 2 * 17 - 2;
    EXPECT_EQ(p.height, bottom + 18);
    size_t solid = 0, dotted = 0, vertical = 0;
    for (const PictureLine& l : p.lines) {
      EXPECT_EQ(l.color, 0xFF0000);
      if (l.x1 == l.x2) {
        ++vertical;
      } else if (l.dotted) {
        ++dotted;
      } else {
        ++solid;
      }
    }
    // With frames: top, caption rule, bottom, a dotted line under each row,
    // verticals at every edge; without: the caption rule and the bottom.
    EXPECT_EQ(solid, frames ? 3u : 2u);
    EXPECT_EQ(dotted, frames ? 2u : 0u);
    EXPECT_EQ(vertical, frames ? 3u : 0u);
  }
}

TEST(GraphicPictures, TallPagesAreSplitAndEmptyLastPagesDropped) {
  FixedMetrics m;
  std::vector<std::string> page(6000, "radek");
  // 6,000 lines of 15 pixels: more than one picture can hold.
  const int per = (kMaxPictureHeight - 93) / 15;
  const PagePicture first = TextPicture(m, FontChoice{}, 200, page, 0, static_cast<size_t>(per));
  EXPECT_LE(first.height, kMaxPictureHeight);
  EXPECT_EQ(first.height, 31 + per * 15 + 62);
  EXPECT_EQ(first.texts.size(), static_cast<size_t>(per));

  EXPECT_EQ(SplitPages({"a", "\f", "b", "\f"}).size(), 2u);
  EXPECT_EQ(SplitPages({"a", "x\fy", "b"}).size(), 2u);
  EXPECT_EQ(SplitPages({}).size(), 1u);
}

class GraphicBuildTest : public Scratch {};

TEST_F(GraphicBuildTest, TextPicturesOfAReport) {
  FixedMetrics m;
  std::string report;
  for (int p = 1; p <= 3; ++p) report += "Strana " + std::to_string(p) + "\r\n\r\nradek\r\n\f\r\n";
  report += std::string(6000 * 7, 'x').replace(0, 0, "");  // no lines: one long line on page 4
  Put("C:\\R\\Text.Ses", report);
  std::vector<int> heights;
  std::vector<int> progress;
  const int count = BuildTextPictures(
      *env, m, "C:\\R\\Text.Ses", FontChoice{},
      [&](const PagePicture& p, int n) {
        EXPECT_EQ(n, static_cast<int>(heights.size()) + 1);
        EXPECT_EQ(p.width, 6000 * 7 * 7 + 60);
        heights.push_back(p.height);
        return true;
      },
      [&](int v) { progress.push_back(v); });
  EXPECT_EQ(count, 4);
  EXPECT_EQ(heights[0], 31 + 3 * 15 + 62);
  EXPECT_EQ(progress.back(), 100);

  Put("C:\\R\\Empty.Ses", "");
  EXPECT_EQ(BuildTextPictures(*env, m, "C:\\R\\Empty.Ses", FontChoice{}, [](const PagePicture&, int) { return true; }), 0);
  EXPECT_EQ(ui.Single(), Info("Sestava je prazdna !"));
  EXPECT_EQ(PictureFile(GraphicKind::TxIma, "C:\\R\\Text.Ses", 12), "C:\\A_Run\\Sestavy\\T_I_Text_0012.Jpg");
  EXPECT_EQ(WorkPicture(GraphicKind::Ima, "C:\\R\\Text.Ses"), "C:\\A_Run\\Work\\I_Text.Bmp");
}

}  // namespace
}  // namespace orvo::test
