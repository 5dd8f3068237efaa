#include "paint/report_painter.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/output/report_file.h"
#include "core/sys/encoding.h"

namespace orvo {

namespace {

QString FromCp1250(std::string_view s) { return QString::fromStdString(Cp1250ToUtf8(s)); }

}  // namespace

// orvo-batch runs without a Qt application and often without a display.
GuiApplicationScope::GuiApplicationScope() {
  if (QGuiApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
      std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

GuiApplicationScope::~GuiApplicationScope() = default;

QFont QFontOf(const FontChoice& choice) {
  QFont font(FromCp1250(choice.name));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(choice.size > 0 ? choice.size : 8);
  font.setBold(choice.bold);
  font.setItalic(choice.italic);
  font.setUnderline(choice.underline);
  font.setStrikeOut(choice.strikeOut);
  return font;
}

PageMeasure MeasureOn(const QPaintDevice& device, const QFont& font) {
  QFontMetricsF metrics(font, &device);
  PageMeasure m;
  m.pageWidth = device.width();
  m.pageHeight = device.height();
  m.textWidth = [metrics](std::string_view s) {
    return static_cast<int>(std::ceil(metrics.horizontalAdvance(FromCp1250(s))));
  };
  m.textHeight = [metrics](std::string_view) { return static_cast<int>(std::ceil(metrics.height())); };
  return m;
}

int PaintGraphicPrint(QPagedPaintDevice& device, const FontChoice& choice, const GraphicPlanner& planner) {
  const QFont font = QFontOf(choice);
  auto plan = planner(MeasureOn(device, font));
  if (!plan || plan->sheets.empty()) return 0;
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  painter.setFont(font);
  const Rgb rgb = RgbOf(choice.color);
  painter.setPen(QColor(rgb.red, rgb.green, rgb.blue));
  const double ascent = QFontMetricsF(font, &device).ascent();
  bool first = true;
  for (const PrintSheet& sheet : plan->sheets) {
    if (!first) device.newPage();
    first = false;
    for (const PlacedLine& line : sheet.lines) {
      painter.drawText(QPointF(line.x, line.y + ascent), FromCp1250(line.text));
    }
  }
  painter.end();
  return static_cast<int>(plan->sheets.size());
}

int PaintTextPrint(QPagedPaintDevice& device, const std::string& bytes) {
  const std::vector<std::string> lines = SplitReportLines(bytes);
  if (lines.empty()) return 0;
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(10);
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  painter.setFont(font);
  const QFontMetricsF metrics(font, &device);
  const double step = metrics.height();
  int sheets = 1;
  double y = 0;
  for (const std::string& line : lines) {
    if (IsPageBoundary(line)) {
      device.newPage();
      ++sheets;
      y = 0;
      continue;
    }
    if (y + step > device.height()) {
      device.newPage();
      ++sheets;
      y = 0;
    }
    painter.drawText(QPointF(0, y + metrics.ascent()), FromCp1250(line));
    y += step;
  }
  painter.end();
  return sheets;
}

void SetUpPdfPage(QPagedPaintDevice& device, int orientation) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                   orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                                   QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
}

std::optional<int> WriteGraphicPrintPdf(const std::string& hostPath, const FontChoice& font,
                                        int orientation, const GraphicPlanner& planner) {
  GuiApplicationScope app;
  namespace stdfs = std::filesystem;
  const stdfs::path target(hostPath);
  std::error_code ec;
  const stdfs::path dir = target.has_parent_path() ? target.parent_path() : stdfs::path(".");
  if (!stdfs::is_directory(dir, ec)) return std::nullopt;
  const stdfs::path temp = dir / ("." + target.filename().string() + "." + std::to_string(getpid()) + ".tmp");
  int sheets = 0;
  {
    QPdfWriter writer(QString::fromStdString(temp.string()));
    writer.setCreator("Orvo");
    writer.setResolution(600);
    SetUpPdfPage(writer, orientation);
    sheets = PaintGraphicPrint(writer, font, planner);
  }
  if (sheets == 0) {
    stdfs::remove(temp, ec);
    return 0;
  }
  // On disk before it takes the target's name.
  const int fd = open(temp.c_str(), O_RDONLY);
  if (fd < 0) return std::nullopt;
  const bool synced = fsync(fd) == 0;
  close(fd);
  if (!synced) {
    stdfs::remove(temp, ec);
    return std::nullopt;
  }
  stdfs::rename(temp, target, ec);
  if (ec) {
    stdfs::remove(temp, ec);
    return std::nullopt;
  }
  return sheets;
}

}  // namespace orvo
