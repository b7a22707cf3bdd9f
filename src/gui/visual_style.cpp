#include "gui/visual_style.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>

#include "ui/layout_codes.h"

namespace velmora {
namespace {

QColor Darkened(const QColor& colour, int amount) {
  return QColor(std::max(colour.red() - amount, 0), std::max(colour.green() - amount, 0),
                std::max(colour.blue() - amount, 0));
}

bool IsEnabled(const QStyleOption* option) { return option->state & QStyle::State_Enabled; }

// Button faces, check box indicators and frame corners repeat across a window: each look is
// drawn once into a cached pixmap and copied from then on. A painter that scales, or blends in
// any other way than drawing over, draws directly.
bool Cacheable(const QPainter* painter) {
  return painter->deviceTransform().type() <= QTransform::TxTranslate &&
         painter->compositionMode() == QPainter::CompositionMode_SourceOver &&
         painter->opacity() == 1.0;
}

template <typename Draw>
QPixmap CachedPixmap(const QString& key, QSize size, Draw draw) {
  QPixmap pixmap;
  if (QPixmapCache::find(key, &pixmap)) return pixmap;
  pixmap = QPixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  draw(&painter, QRect(QPoint(0, 0), size));
  painter.end();
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

template <typename Draw>
void DrawCached(QPainter* painter, const QRect& rect, const QString& key, Draw draw) {
  if (!Cacheable(painter) || rect.isEmpty()) {
    draw(painter, rect);
    return;
  }
  painter->drawPixmap(rect.topLeft(), CachedPixmap(key, rect.size(), draw));
}

QString CacheKey(const char* look, QSize size, std::initializer_list<quint64> parts) {
  QString key = QLatin1String(look) + QLatin1Char('-') + QString::number(size.width()) +
                QLatin1Char('x') + QString::number(size.height());
  for (const quint64 part : parts) key += QLatin1Char('-') + QString::number(part, 16);
  return key;
}

// Two one-pixel frames around a box; the inside is filled with the inner colour.
void DrawBoxFrame(QPainter* painter, const QRect& rect, const QColor& outer, const QColor& inner,
                  bool fill) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  if (fill) painter->fillRect(rect, inner);
  painter->setPen(outer);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(rect.adjusted(0, 0, -1, -1));
  painter->setPen(inner);
  painter->drawRect(rect.adjusted(1, 1, -2, -2));
  painter->restore();
}

void DrawEditFrame(QPainter* painter, const QStyleOption* option, bool read_only, bool fill) {
  const QPalette& palette = option->palette;
  const bool enabled = IsEnabled(option);
  const QColor outer =
      enabled ? VisualStyle::FrameColour() : VisualStyle::DisabledFrameColour(palette);
  const QColor inner = enabled && !read_only ? palette.color(QPalette::Active, QPalette::Base)
                                             : palette.color(QPalette::Active, QPalette::Button);
  DrawBoxFrame(painter, option->rect, outer, inner, fill);
}

// A raised face with a frame-coloured border: push buttons and the combo box arrow.
void PaintButtonFace(QPainter* painter, const QRect& rect, const QStyleOption* option) {
  const QColor face = option->palette.color(QPalette::Button);
  QColor top = face.lighter(108);
  QColor bottom = face.darker(104);
  if (option->state & (QStyle::State_Sunken | QStyle::State_On)) {
    top = face.darker(110);
    bottom = face.darker(104);
  } else if (option->state & QStyle::State_MouseOver) {
    top = QColor(229, 241, 251);
    bottom = QColor(214, 230, 245);
  }
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  const QRectF box = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(box, 2, 2);
  painter->fillPath(path, gradient);
  const QColor border = IsEnabled(option) ? VisualStyle::FrameColour()
                                          : VisualStyle::DisabledFrameColour(option->palette);
  painter->setPen(QPen(border, 1));
  painter->drawPath(path);
  if (option->state & QStyle::State_HasFocus) {
    painter->setPen(QPen(VisualStyle::FrameColour().darker(130), 1));
    painter->drawRoundedRect(box.adjusted(1, 1, -1, -1), 1.5, 1.5);
  }
  painter->restore();
}

void DrawButtonFace(QPainter* painter, const QRect& rect, const QStyleOption* option) {
  const QStyle::State looks =
      option->state & (QStyle::State_Sunken | QStyle::State_On | QStyle::State_MouseOver |
                       QStyle::State_HasFocus | QStyle::State_Enabled);
  const QString key = CacheKey("velmora-button", rect.size(),
                               {looks.toInt(), option->palette.color(QPalette::Button).rgba(),
                                option->palette.color(QPalette::Active, QPalette::Button).rgba()});
  DrawCached(painter, rect, key, [option](QPainter* target, const QRect& area) {
    PaintButtonFace(target, area, option);
  });
}

void PaintCheckIndicator(QPainter* painter, const QRect& box, const QStyleOption* option) {
  const bool enabled = IsEnabled(option);
  DrawBoxFrame(
      painter, box,
      enabled ? VisualStyle::FrameColour() : VisualStyle::DisabledFrameColour(option->palette),
      option->palette.color(enabled ? QPalette::Base : QPalette::Button), true);
  if (!(option->state & (QStyle::State_On | QStyle::State_NoChange))) return;
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, true);
  painter->setPen(QPen(enabled ? QColor(33, 64, 95) : QColor(140, 140, 140), 1.6));
  const QRectF inner = QRectF(box).adjusted(3, 3, -3, -3);
  const QPointF points[] = {{inner.left(), inner.top() + inner.height() * 0.55},
                            {inner.left() + inner.width() * 0.4, inner.bottom()},
                            {inner.right(), inner.top()}};
  painter->drawPolyline(points, 3);
  painter->restore();
}

void DrawCheckIndicator(QPainter* painter, const QStyleOption* option) {
  const QStyle::State looks =
      option->state & (QStyle::State_On | QStyle::State_NoChange | QStyle::State_Enabled);
  const QString key = CacheKey("velmora-check", option->rect.size(),
                               {looks.toInt(), option->palette.color(QPalette::Base).rgba(),
                                option->palette.color(QPalette::Button).rgba(),
                                option->palette.color(QPalette::Active, QPalette::Button).rgba()});
  DrawCached(painter, option->rect, key, [option](QPainter* target, const QRect& area) {
    PaintCheckIndicator(target, area, option);
  });
}

constexpr int kGroupRadius = 3;
// The pixels that a rounded corner touches, from the frame's outer edge.
constexpr int kGroupCorner = kGroupRadius + 2;

void PaintRoundedFrame(QPainter* painter, const QRect& rect) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, true);
  painter->setPen(VisualStyle::FrameColour());
  painter->setBrush(Qt::NoBrush);
  painter->drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), kGroupRadius, kGroupRadius);
  painter->restore();
}

// A group box frame: an antialiased stroke around a large box is slow, yet its straight sides
// are whole pixels. The corners come from a small frame drawn once, the sides are plain fills.
void DrawGroupFrame(QPainter* painter, const QRect& rect) {
  constexpr int kSmall = 2 * kGroupCorner + 2;
  if (!Cacheable(painter) || rect.width() < kSmall || rect.height() < kSmall) {
    PaintRoundedFrame(painter, rect);
    return;
  }
  const QPixmap small = CachedPixmap(QStringLiteral("velmora-group-corners"), QSize(kSmall, kSmall),
                                     PaintRoundedFrame);
  const int c = kGroupCorner;
  const int far = kSmall - c;
  painter->drawPixmap(rect.left(), rect.top(), small, 0, 0, c, c);
  painter->drawPixmap(rect.right() + 1 - c, rect.top(), small, far, 0, c, c);
  painter->drawPixmap(rect.left(), rect.bottom() + 1 - c, small, 0, far, c, c);
  painter->drawPixmap(rect.right() + 1 - c, rect.bottom() + 1 - c, small, far, far, c, c);
  const QColor colour = VisualStyle::FrameColour();
  painter->fillRect(rect.left() + c, rect.top(), rect.width() - 2 * c, 1, colour);
  painter->fillRect(rect.left() + c, rect.bottom(), rect.width() - 2 * c, 1, colour);
  painter->fillRect(rect.left(), rect.top() + c, 1, rect.height() - 2 * c, colour);
  painter->fillRect(rect.right(), rect.top() + c, 1, rect.height() - 2 * c, colour);
}

// Qt hands a fill of many spans (a tall line: one span a row) to its worker threads, which
// costs far more than the drawing itself. Drawn in bands, each of few rows, the pixels are the
// same and stay on this thread.
template <typename Draw>
void DrawInBands(QPainter* painter, const QRect& rect, Draw draw) {
  constexpr int kBand = 64;
  for (int top = rect.top(); top <= rect.bottom(); top += kBand) {
    painter->save();
    painter->setClipRect(
        QRect(rect.left(), top, rect.width(), std::min(kBand, rect.bottom() + 1 - top)),
        Qt::IntersectClip);
    draw();
    painter->restore();
  }
}

bool IsFramedLineEdit(const QStyleOption* option, const QWidget* widget) {
  const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
  if (frame == nullptr || frame->lineWidth <= 0) return false;
  // The edit field inside a date picker or combo box has no frame of its own.
  return widget == nullptr ||
         (qobject_cast<const QAbstractSpinBox*>(widget->parentWidget()) == nullptr &&
          qobject_cast<const QComboBox*>(widget->parentWidget()) == nullptr);
}

}  // namespace

VisualStyle::VisualStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QColor VisualStyle::DisabledFrameColour(const QPalette& palette) {
  return Darkened(palette.color(QPalette::Active, QPalette::Button), 32);
}

QPalette VisualStyle::standardPalette() const {
  QPalette palette = QProxyStyle::standardPalette();
  const QColor face(240, 240, 240);
  palette.setColor(QPalette::Window, face);
  palette.setColor(QPalette::Button, face);
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::black);
  palette.setColor(QPalette::ButtonText, Qt::black);
  palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(109, 109, 109));
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(109, 109, 109));
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(109, 109, 109));
  palette.setColor(QPalette::Disabled, QPalette::Base, face);
  palette.setColor(QPalette::Disabled, QPalette::Button, face);
  palette.setColor(QPalette::Disabled, QPalette::Window, face);
  return palette;
}

int VisualStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
  if (metric == PM_DefaultFrameWidth && (qobject_cast<const QLineEdit*>(widget) != nullptr ||
                                         qobject_cast<const QPlainTextEdit*>(widget) != nullptr)) {
    return 2;
  }
  return QProxyStyle::pixelMetric(metric, option, widget);
}

void VisualStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
  switch (element) {
    case PE_PanelLineEdit:
      if (IsFramedLineEdit(option, widget)) {
        const auto* edit = qobject_cast<const QLineEdit*>(widget);
        DrawEditFrame(painter, option, edit != nullptr && edit->isReadOnly(), true);
        return;
      }
      break;
    case PE_FrameLineEdit:
      DrawEditFrame(painter, option, false, false);
      return;
    case PE_PanelButtonCommand:
    case PE_PanelButtonBevel:
      DrawButtonFace(painter, option->rect, option);
      return;
    case PE_IndicatorCheckBox:
      DrawCheckIndicator(painter, option);
      return;
    case PE_IndicatorRadioButton: {
      painter->save();
      painter->setRenderHint(QPainter::Antialiasing, true);
      const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
      painter->setPen(IsEnabled(option) ? FrameColour() : DisabledFrameColour(option->palette));
      painter->setBrush(option->palette.color(QPalette::Base));
      painter->drawEllipse(box);
      if (option->state & State_On) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(33, 64, 95));
        painter->drawEllipse(box.adjusted(3.5, 3.5, -3.5, -3.5));
      }
      painter->restore();
      return;
    }
    case PE_FrameGroupBox:
      DrawGroupFrame(painter, option->rect);
      return;
    case PE_FrameTabWidget:
      DrawInBands(painter, option->rect,
                  [&] { QProxyStyle::drawPrimitive(element, option, painter, widget); });
      return;
    case PE_Frame:
      if (qobject_cast<const QPlainTextEdit*>(widget) != nullptr) {
        const auto* edit = static_cast<const QPlainTextEdit*>(widget);
        DrawEditFrame(painter, option, edit->isReadOnly(), false);
        return;
      }
      break;
    default:
      break;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void VisualStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
  if (element == CE_ShapedFrame && qobject_cast<const QPlainTextEdit*>(widget) != nullptr) {
    drawPrimitive(PE_Frame, option, painter, widget);
    return;
  }
  if (element == CE_PushButtonBevel) {
    DrawButtonFace(painter, option->rect, option);
    return;
  }
  QProxyStyle::drawControl(element, option, painter, widget);
}

void VisualStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
  if (control != CC_ComboBox) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
  if (combo == nullptr) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  DrawEditFrame(painter, option, false, true);
  QRect arrow = subControlRect(CC_ComboBox, combo, SC_ComboBoxArrow, widget);
  arrow = arrow.intersected(option->rect.adjusted(2, 2, -2, -2));
  QStyleOption face(*option);
  face.rect = arrow;
  if (!(combo->activeSubControls & SC_ComboBoxArrow) || !(option->state & State_Sunken)) {
    face.state &= ~State_Sunken;
  }
  face.state &= ~State_HasFocus;
  DrawButtonFace(painter, arrow, &face);
  QStyleOption indicator(*option);
  indicator.rect = arrow.adjusted(arrow.width() / 4, arrow.height() / 4, -arrow.width() / 4,
                                  -arrow.height() / 4);
  proxy()->drawPrimitive(PE_IndicatorArrowDown, &indicator, painter, widget);
}

void ApplyVisualStyle(int style_number) {
  if (style_number != kProgramVisualStyle) return;
  if (dynamic_cast<VisualStyle*>(QApplication::style()) != nullptr) return;
  auto* style = new VisualStyle;
  QApplication::setStyle(style);
  QApplication::setPalette(style->standardPalette());
}

}  // namespace velmora
