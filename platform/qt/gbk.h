// GBK <-> QString, through Qt's ICU-backed converter. The only place texts change encoding.
#pragma once

#include <QString>
#include <string>

QString FromGbk(const char* gbk);
// A character with no GBK form becomes "?".
std::string ToGbk(const QString& text);
