// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_icon.h"

#include "resources/norvan_icon.xpm"

QPixmap AppIconPixmap() {
  return QPixmap(norvan_icon_xpm);
}

QIcon AppIcon() {
  return QIcon(AppIconPixmap());
}
