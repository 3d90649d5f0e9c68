#pragma once

#include <QImage>
#include <QString>

// Writes an image as a GIF89a file: up to 255 colours of its own (more are reduced by median
// cut), pixels with alpha below 128 as the transparent colour. Qt itself only reads GIF.
bool WriteGif(const QImage& image, const QString& path);
