#include "fontwarmup.h"
#include "programstart.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  const FontConfigurationWarmUp fonts;
  QApplication application(argc, argv);
  return RunPelano(application);
}
