#include "statictext.h"

StaticText::StaticText(QWidget* parent) : QLabel(parent) {}
