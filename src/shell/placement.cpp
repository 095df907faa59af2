#include "shell/placement.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <algorithm>
#include <cmath>

#include "model/decimal_reading.h"

namespace trimwell::placement {

namespace {

std::string_view Without_Blanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The whole text as one number, or nothing.
bool Read_Number(std::string_view text, float& number) {
  text = Without_Blanks(text);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') {
    text.remove_prefix(1); // a plain decimal number has no plus sign
  }
  return decimal::Read_Whole_Float(text, number);
}

// Pixels for a number of twips within the range of the setting's kind.
bool To_Pixels(double twips, const Setting& setting, int& pixels) {
  const double exact = twips / Twips_Per_Pixel;
  const int largest = setting.Is_Size ? Largest_Size : Largest_Position;
  const int smallest = setting.Is_Size ? 1 : -Largest_Position;
  // Range first, so that only small numbers are ever rounded to int.
  if (!(std::fabs(exact) <= largest + 1)) {
    return false;
  }
  const long rounded = std::lround(exact);
  if (rounded < smallest || rounded > largest) {
    return false;
  }
  pixels = static_cast<int>(rounded);
  return true;
}

// Takes and releases at once the lock QSettings takes as it writes a store
// kept in a file. On Windows the store is the registry and in a page the
// browser's storage: neither is a file (their fileName() is a registry path
// or empty), nor has a lock.
bool Lock_Can_Be_Had(const QSettings& settings) {
  const QFileInfo file(settings.fileName());
  if (settings.format() == QSettings::NativeFormat && !file.isAbsolute()) {
    return true;
  }
  // The lock goes beside the file, in a folder the first run makes.
  QDir().mkpath(file.absolutePath());
  QLockFile lock(file.filePath() + QLatin1String(".lock"));
  return lock.tryLock(Lock_Wait);
}

} // namespace

std::optional<int> Stored_Pixels(std::string_view text,
                                 const Setting& setting) {
  float twips = 0;
  int pixels = 0;
  if (Read_Number(text, twips) && To_Pixels(twips, setting, pixels)) {
    return pixels;
  }
  return std::nullopt;
}

std::string Stored_Text(int pixels) {
  return std::to_string(static_cast<long long>(pixels) * Twips_Per_Pixel);
}

Stored_Frame Read_Frame(QSettings& settings) {
  settings.beginGroup(QLatin1String(Group));
  std::array<std::optional<int>, Settings.size()> pixels{};
  for (std::size_t i = 0; i < Settings.size(); ++i) {
    const QVariant value = settings.value(QLatin1String(Settings[i].Key));
    if (value.isValid()) {
      pixels[i] = Stored_Pixels(value.toString().toStdString(), Settings[i]);
    }
    if (!pixels[i] && !Settings[i].Is_Size) {
      pixels[i] = Twips_To_Pixels(Settings[i].Default_Twips);
    }
  }
  settings.endGroup();
  return {QPoint(*pixels[0], *pixels[1]), pixels[2], pixels[3]};
}

bool Write_Frame(QSettings& settings, const QRect& frame) {
  if (!Lock_Can_Be_Had(settings)) {
    return false;
  }
  const std::array<int, Settings.size()> pixels = {
      frame.left(), frame.top(), frame.width(), frame.height()};
  settings.beginGroup(QLatin1String(Group));
  for (std::size_t i = 0; i < Settings.size(); ++i) {
    settings.setValue(QLatin1String(Settings[i].Key),
                      QString::fromStdString(Stored_Text(pixels[i])));
  }
  settings.endGroup();
  settings.sync();
  return settings.status() == QSettings::NoError;
}

QSize Client_Size(const Stored_Frame& frame, const QMargins& margins,
                  const QSize& designed) {
  const int width = frame.Width
                        ? *frame.Width - margins.left() - margins.right()
                        : designed.width();
  const int height = frame.Height
                         ? *frame.Height - margins.top() - margins.bottom()
                         : designed.height();
  return QSize(std::max(width, 1), std::max(height, 1));
}

} // namespace trimwell::placement
