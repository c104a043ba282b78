// What the README's pictures of the grapher window share: the window shown
// offscreen with a folder loaded, waiting for its drawing, and saving.
#pragma once

#include <QImage>

#include "grapher/ui/form_main.h"

namespace quillon::screenshots {

// The offscreen platform unless the caller named one; before the application.
void PreferOffscreen();

// Takes the application's events for about ms milliseconds.
void RunEventsFor(int ms);

// Shows form at the size given and loads its folder; false, said on stderr,
// when the folder holds no products.
bool LoadShown(grapher::FormMain& form, const char* folder, int width, int height);

// Waits until the view's picture is drawn and shown.
void WaitForDrawing(grapher::FormMain& form);

// False, said on stderr, when the file cannot be written.
bool Save(const QImage& picture, const char* path);

}  // namespace quillon::screenshots
