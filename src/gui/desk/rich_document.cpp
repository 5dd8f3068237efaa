#include "gui/desk/rich_document.h"

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <cmath>

namespace orvo::gui {

namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

QTextCharFormat CharFormatOf(const RtfFormat& format) {
  QTextCharFormat out;
  out.setFontFamilies(QStringList{Utf8(format.font)});
  out.setFontPointSize(format.halfPoints / 2.0);
  out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  out.setFontItalic(format.italic);
  out.setFontUnderline(format.underline);
  out.setFontStrikeOut(format.strike);
  if (format.color >= 0) {
    out.setForeground(QColor(format.color & 0xFF, (format.color >> 8) & 0xFF, (format.color >> 16) & 0xFF));
  }
  return out;
}

RtfFormat RtfFormatOf(const QTextCharFormat& format) {
  RtfFormat out;
  const QStringList families = format.fontFamilies().toStringList();
  const QString family = families.isEmpty() ? format.font().family() : families.front();
  if (!family.isEmpty()) out.font = family.toStdString();
  const double points = format.fontPointSize() > 0 ? format.fontPointSize() : format.font().pointSizeF();
  if (points > 0) out.halfPoints = static_cast<int>(std::lround(points * 2));
  out.bold = format.fontWeight() > QFont::Normal;
  out.italic = format.fontItalic();
  out.underline = format.fontUnderline();
  out.strike = format.fontStrikeOut();
  if (format.hasProperty(QTextFormat::ForegroundBrush)) {
    const QColor c = format.foreground().color();
    out.color = c.red() | (c.green() << 8) | (c.blue() << 16);
  }
  return out;
}

void InsertRich(QTextCursor& cursor, const RtfText& text) {
  for (size_t p = 0; p < text.paragraphs.size(); ++p) {
    if (p > 0) cursor.insertBlock();
    for (const RtfRun& run : text.paragraphs[p].runs) {
      QString chunk = Utf8(run.text);
      chunk.replace(QLatin1Char('\n'), QChar::LineSeparator);
      cursor.insertText(chunk, CharFormatOf(run.format));
    }
  }
}

void SetRichDocument(QTextDocument* document, const RtfText& text) {
  document->clear();
  QTextCursor cursor(document);
  InsertRich(cursor, text);
  document->clearUndoRedoStacks();
}

RtfText RichFromDocument(const QTextDocument* document) {
  RtfText out;
  out.paragraphs.clear();
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    RtfParagraph& paragraph = out.paragraphs.emplace_back();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid() || fragment.length() == 0) continue;
      QString chunk = fragment.text();
      chunk.replace(QChar::LineSeparator, QLatin1Char('\n'));
      const std::string utf8 = chunk.toStdString();
      RtfFormat format = RtfFormatOf(fragment.charFormat());
      if (!paragraph.runs.empty() && paragraph.runs.back().format == format) {
        paragraph.runs.back().text += utf8;
      } else {
        paragraph.runs.push_back({utf8, std::move(format)});
      }
    }
  }
  if (out.paragraphs.empty()) out.paragraphs.emplace_back();
  return out;
}

}  // namespace orvo::gui
