#include "platform/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace movra::platform {
namespace {

// The one translator of Qt's texts, owned here for the whole run.
std::unique_ptr<QTranslator>& Installed() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

}  // namespace

bool UseQtTranslations(int Language) {
  const char* const names[] = {"qtbase_de", "", "qtbase_ru"};
  if (Language < 0 || Language > 2) return true;
  std::unique_ptr<QTranslator>& installed = Installed();
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  if (Language == 1) return true;  // Qt speaks English by itself
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QString::fromLatin1(names[Language]),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}

}  // namespace movra::platform
