#include "paint/graphic_pictures.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/output/print_settings.h"
#include "core/sys/encoding.h"
#include "paint/report_painter.h"

namespace orvo {

namespace {

QString Text(std::string_view cp1250) { return QString::fromStdString(Cp1250ToUtf8(cp1250)); }

// A device at the pictures' resolution for the metrics.
const QImage& MetricsDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dots per inch
    image.setDotsPerMeterY(3780);
    return image;
  }();
  return device;
}

QColor ColorOf(int32_t value) {
  const Rgb rgb = RgbOf(value);
  return QColor(rgb.red, rgb.green, rgb.blue);
}

bool RemoveQuietly(const std::string& path) {
  std::error_code ec;
  return std::filesystem::remove(path, ec);
}

}  // namespace

int QtTextMetrics::Width(const FontChoice& font, std::string_view cp1250) {
  return QFontMetrics(QFontOf(font), &MetricsDevice()).horizontalAdvance(Text(cp1250));
}

int QtTextMetrics::Height(const FontChoice& font, std::string_view) {
  return QFontMetrics(QFontOf(font), &MetricsDevice()).height();
}

QImage PaintPicture(const PagePicture& picture) {
  QImage image(std::max(picture.width, 1), std::max(picture.height, 1), QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (const PictureLine& l : picture.lines) {
    QPen pen(ColorOf(l.color));
    pen.setWidth(l.width);
    pen.setStyle(l.dotted ? Qt::DotLine : Qt::SolidLine);
    painter.setPen(pen);
    painter.drawLine(l.x1, l.y1, l.x2, l.y2);
  }
  for (const PictureText& t : picture.texts) {
    const QFont font = QFontOf(t.font);
    painter.setFont(font);
    painter.setPen(ColorOf(t.font.color));
    painter.drawText(t.x, t.y + QFontMetrics(font, &image).ascent(), Text(t.text));
  }
  painter.end();
  return image;
}

bool JpegSupported() { return QImageWriter::supportedImageFormats().contains("jpeg"); }

bool SaveJpeg(const QImage& image, const std::string& hostPath) {
  const std::filesystem::path path(hostPath);
  const std::string temp = (path.parent_path() / ("." + path.filename().string() + ".part")).string();
  QImageWriter writer(QString::fromStdString(temp), "jpeg");
  if (!writer.write(image)) {
    RemoveQuietly(temp);
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) RemoveQuietly(temp);
  return !ec;
}

bool PicturesToPdfFile(const std::vector<std::string>& hostPictures, const std::string& hostPdf,
                       int minHeight) {
  if (hostPictures.empty()) return false;
  GuiApplicationScope app;
  std::vector<QSize> sizes;
  for (const std::string& picture : hostPictures) {
    QImageReader reader(QString::fromStdString(picture));
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) return false;
    sizes.push_back(size);
  }
  const std::filesystem::path path(hostPdf);
  const std::string temp = (path.parent_path() / ("." + path.filename().string() + ".part")).string();
  bool ok = true;
  {
    QPdfWriter writer(QString::fromStdString(temp));
    writer.setCreator(QStringLiteral("Orvo"));
    SetUpPdfPage(writer, kPortrait);
    double scale = 1e9;
    for (const QSize& s : sizes) {
      scale = std::min({scale, static_cast<double>(writer.width()) / s.width(),
                        static_cast<double>(writer.height()) / std::max(s.height(), minHeight)});
    }
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    for (size_t i = 0; i < hostPictures.size() && ok; ++i) {
      QImage image;
      if (!image.load(QString::fromStdString(hostPictures[i]))) {
        ok = false;
        break;
      }
      if (i > 0) writer.newPage();
      const QSize scaled(static_cast<int>(image.width() * scale), static_cast<int>(image.height() * scale));
      painter.drawImage(QRect(QPoint((writer.width() - scaled.width()) / 2, 0), scaled), image);
    }
    painter.end();
  }
  if (!ok) {
    RemoveQuietly(temp);
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) RemoveQuietly(temp);
  return !ec;
}

}  // namespace orvo
