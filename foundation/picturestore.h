#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <functional>

// The hidden store of the pictures that lesson windows and frames copy when
// they are built: button glyphs, scoreboard pictures, heading strips and the
// tab icons of the lesson pages.
class PictureStore {
 public:
  virtual ~PictureStore() = default;
  // A picture by the name of the component that holds it ("BtnMod1", "Blua_strio" …).
  virtual QPixmap Picture(const QString& name) const = 0;
  // Tab icon `index` of the image list Bildetoj; a null icon outside it.
  virtual QIcon TabIcon(int index) const = 0;
  virtual int TabIconCount() const = 0;
};

// The program's one store, created on first use by the factory that the
// main menu sets at start.
PictureStore& Figurejo();
void SetPictureStoreFactory(std::function<PictureStore*()> factory);
