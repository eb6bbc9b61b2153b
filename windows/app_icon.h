// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// Norvan's own 32 x 32, 16-colour picture: the windows' icon and the About picture.
QPixmap AppIconPixmap();
QIcon AppIcon();
