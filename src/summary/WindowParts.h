// Small pieces the windows of zotrat share.
#pragma once

#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QString>

namespace zotra {

// A button with its control name, caption and tool tip.
inline QPushButton* NamedButton(const QString& name, const QString& caption, const QString& tip = {}) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  if (!tip.isEmpty()) b->setToolTip(tip);
  b->setMinimumHeight(30);
  return b;
}

// A frame around a layout; an empty caption draws the frame alone.
inline QGroupBox* GroupFrame(const QString& caption, QLayout* layout) {
  auto* box = new QGroupBox(caption);
  box->setLayout(layout);
  return box;
}

}  // namespace zotra
