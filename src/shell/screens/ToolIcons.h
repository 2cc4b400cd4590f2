// The pictures of the main window's tool buttons, the splash and the window icon, drawn here.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The picture of a tool button by its component name (btnNew, btnOpen, ...).
QIcon ToolIcon(const QString& buttonName);
// The application's own emblem at the given size (window icon, splash, dialogs).
QPixmap EmblemPixmap(int size);
// The splash picture: the emblem with the application title.
QPixmap SplashPixmap(int size);
