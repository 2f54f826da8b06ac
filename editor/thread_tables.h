#pragma once
// The metric thread tables compiled into the program (resources/thread).
#include <QStringList>

namespace movra {

// The rows of the table of Kind (ThreadExternal or ThreadInternal) in their order.
QStringList ThreadTableItems(int Kind);

}  // namespace movra
