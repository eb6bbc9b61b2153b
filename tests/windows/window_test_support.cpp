#include "window_test_support.h"

#include <QDir>
#include <QFile>

#include <cstdio>

#include <unistd.h>

GameFolder::GameFolder(const std::vector<QByteArray>& files)
    : previous_(QDir::currentPath().toLocal8Bit()) {
  // chdir with bytes: the names may be anything but UTF-8.
  if (::chdir(QFile::encodeName(dir_.path()).constData()) != 0) qFatal("cannot enter test folder");
  for (const QByteArray& name : files) Write(name, {});
}

GameFolder::~GameFolder() {
  if (::chdir(previous_.constData()) != 0) qWarning("cannot leave test folder");
}

void GameFolder::Write(const QByteArray& name, const QByteArray& bytes) const {
  FILE* file = std::fopen(name.constData(), "wb");
  if (!file) qFatal("cannot write %s", name.constData());
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
  std::fclose(file);
}

QByteArray GameFolder::Read(const QByteArray& name) const {
  QByteArray bytes;
  if (FILE* file = std::fopen(name.constData(), "rb")) {
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
      bytes.append(buffer, static_cast<qsizetype>(got));
    std::fclose(file);
  }
  return bytes;
}
