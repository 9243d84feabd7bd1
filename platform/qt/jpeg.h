// Decoding of the embedded pictures with TurboJPEG.
#pragma once

#include <QImage>
#include <span>

// The picture, or a null image if the bytes are not a JPEG that decodes without complaint.
QImage DecodeJpeg(std::span<const unsigned char> bytes);
