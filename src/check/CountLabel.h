// The sunken white box in which the windows of zotrac show a count.
#pragma once

#include <QLabel>

namespace zotra {

inline QLabel* CountLabel(const QString& name, const QString& toolTip, int minimumWidth) {
  auto* label = new QLabel(QStringLiteral("0"));
  label->setObjectName(name);
  label->setToolTip(toolTip);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(minimumWidth);
  label->setMargin(3);
  label->setStyleSheet(QStringLiteral("QLabel { background: white; }"));
  return label;
}

}  // namespace zotra
