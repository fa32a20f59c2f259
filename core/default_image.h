#pragma once
// The factory default image and software record: a UHF 400-480 MHz radio with every
// channel erased, the general functions at factory values and no programming password.
// The program carries these bytes built in; the build writes the same bytes to Init.dat.
#include <QByteArray>

#include "core/global_state.h"

const ImageBytes& defaultImage();
const SoftwareRecord& defaultSoftwareRecord();

// The contents of a start-up file: the default image followed by the default record.
QByteArray defaultInitFileBytes();
