#pragma once

#include <QColor>
#include <QPalette>
#include <QProxyStyle>

namespace velmora {

// Visual style 1: edit boxes framed by two one-pixel frames (outer in the frame colour, inner in
// the window colour), and buttons, check boxes, radio buttons, group boxes and combo boxes drawn
// in the same palette. List boxes, tab controls and date pickers keep the base drawing.
class VisualStyle : public QProxyStyle {
 public:
  VisualStyle();

  static QColor FrameColour() { return QColor(123, 158, 189); }
  // The outer frame of a disabled edit box: button face darkened by 32 in each channel.
  static QColor DisabledFrameColour(const QPalette& palette);

  QPalette standardPalette() const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
};

// Switches the visual style on for every window, present and future; once on, it stays on.
void ApplyVisualStyle(int style_number);

}  // namespace velmora
