#pragma once

#include <QByteArray>
#include <QSize>

// Compressed data that inflates a thousandfold, made in milliseconds: a deflated megabyte of one byte, flushed
// so that copies of it follow each other in one stream.

// A gzip stream (as an HTTP body with "Content-Encoding: gzip") that inflates to size bytes of the byte.
QByteArray gzipBomb(qint64 size, char byte = ' ');

// A valid PNG of the size, 8 bits a channel RGBA, every pixel transparent black: a small file that a decoder
// without a bound turns into four bytes a pixel.
QByteArray hugePng(const QSize &size);
