#include "picturestore.h"

#include <memory>

namespace {
std::function<PictureStore*()> gFactory;
std::unique_ptr<PictureStore> gStore;

// Used only when no factory was set (a part of the program tested alone).
class EmptyPictureStore : public PictureStore {
 public:
  QPixmap Picture(const QString&) const override { return {}; }
  QIcon TabIcon(int) const override { return {}; }
  int TabIconCount() const override { return 0; }
};
}  // namespace

PictureStore& Figurejo() {
  if (!gStore) gStore.reset(gFactory ? gFactory() : new EmptyPictureStore);
  return *gStore;
}

void SetPictureStoreFactory(std::function<PictureStore*()> factory) {
  gFactory = std::move(factory);
  gStore.reset();
}
