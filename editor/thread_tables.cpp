#include "editor/thread_tables.h"

#include <QFile>

#include "editor/thread_panel.h"

static void InitThreadResource() { Q_INIT_RESOURCE(thread); }

namespace movra {

QStringList ThreadTableItems(int Kind) {
  InitThreadResource();
  QFile file(Kind == ThreadInternal ? QStringLiteral(":/thread/ThreadInternal.txt")
                                    : QStringLiteral(":/thread/ThreadExternal.txt"));
  QStringList items;
  if (!file.open(QIODevice::ReadOnly)) return items;
  const QByteArray bytes = file.readAll();
  for (const std::string& row :
       ThreadTableRows(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
    items << QString::fromStdString(row);
  return items;
}

}  // namespace movra
