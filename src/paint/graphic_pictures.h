// The graphic reports' pictures on Qt's GUI module: text measured with the
// fonts' metrics at the screen's resolution, a laid-out page painted on an
// image, pictures stored as JPEG files (crash-safe), and the build of a
// report's page pictures into numbered JPEG files.
#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <vector>

#include "core/output/graphic_report.h"

namespace orvo {

// Text sizes at 96 dots per inch, the pictures' resolution.
class QtTextMetrics final : public TextMetrics {
 public:
  int Width(const FontChoice& font, std::string_view cp1250) override;
  int Height(const FontChoice& font, std::string_view cp1250) override;
};

QImage PaintPicture(const PagePicture& picture);

// Whether this Qt can write JPEG files (its image format plugin).
bool JpegSupported();
// The image as a JPEG file (host path) written under a temporary name and
// renamed; false when it cannot be written.
bool SaveJpeg(const QImage& image, const std::string& hostPath);

// The page pictures as a PDF file (host path): every page at one scale -
// the largest at which every picture fits its sheet - aligned to the top;
// written under a temporary name and renamed. False when a picture cannot
// be read or the file cannot be written. A picture is taken as at least
// `minHeight` pixels high (the planned page), so short last pages keep the scale.
bool PicturesToPdfFile(const std::vector<std::string>& hostPictures, const std::string& hostPdf,
                       int minHeight = 0);

}  // namespace orvo
