#include "gui/plane_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "ui/planes_page.h"

namespace wf::gui {

namespace {

// A plane seen from above, nose up, in a 16 x 16 box.
QPainterPath PlaneShape() {
  QPainterPath fuselage;
  fuselage.addRoundedRect(QRectF(6.8, 1.0, 2.4, 14.0), 1.2, 1.2);
  QPainterPath wings;
  wings.addPolygon(QPolygonF({{1.0, 8.4},
                              {7.0, 5.8},
                              {9.0, 5.8},
                              {15.0, 8.4},
                              {15.0, 10.0},
                              {9.0, 9.0},
                              {7.0, 9.0},
                              {1.0, 10.0},
                              {1.0, 8.4}}));
  QPainterPath tail;
  tail.addPolygon(QPolygonF(
      {{4.6, 14.4}, {7.0, 12.4}, {9.0, 12.4}, {11.4, 14.4}, {11.4, 15.4}, {4.6, 15.4}, {4.6, 14.4}}));
  return fuselage.united(wings).united(tail).simplified();
}

QPixmap Draw(int image, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  const QPainterPath plane = PlaneShape();
  switch (image) {
    case ui::kImageUsable:
      painter.setPen(QPen(QColor(0x0d, 0x4d, 0x1c), 0.8));
      painter.setBrush(QColor(0x22, 0x9a, 0x3f));
      painter.drawPath(plane);
      break;
    case ui::kImageSwitchedOff:
      painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.0));
      painter.setBrush(QColor(0xf2, 0xf2, 0xf2));
      painter.drawPath(plane);
      break;
    case ui::kImageNotForGA: {
      painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 0.8));
      painter.setBrush(QColor(0x9a, 0x9a, 0x9a));
      painter.drawPath(plane);
      QPen sign(QColor(0xd0, 0x10, 0x10), 1.8);
      sign.setCapStyle(Qt::FlatCap);
      painter.setPen(sign);
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QPointF(8.0, 8.0), 6.6, 6.6);
      painter.drawLine(QPointF(3.4, 3.4), QPointF(12.6, 12.6));
      break;
    }
    default:
      break;
  }
  return pixmap;
}

}

QIcon PlaneIcon(int image) {
  if (image != ui::kImageUsable && image != ui::kImageSwitchedOff && image != ui::kImageNotForGA) return {};
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addPixmap(Draw(image, size));
  return icon;
}

QIcon ProgramIcon() {
  return PlaneIcon(ui::kImageUsable);
}

}
