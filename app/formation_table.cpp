#include "app/formation_table.h"

#include <memory>

#include "platform/platform.h"

TextArray* FormationTable = nullptr;

namespace {
constexpr char IndexBelowOne[] = "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB1\xD8\xD0\xEB\xB4\xF3\xD3\xDA\xB5\xC8\xD3\xDA" "1";  // 数组成员引用下标必须大于等于1
constexpr char IndexOutOfRange[] = "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB3\xAC\xB3\xF6\xB6\xA8\xD2\xE5\xB7\xB6\xCE\xA7";  // 数组成员引用下标超出定义范围
}  // namespace

TextArray* NewTextArray(std::int32_t count) {
    const auto slotCount = static_cast<std::size_t>(count < 0 ? 0 : count);
    void* block = AllocateMemory(sizeof(TextArray) + slotCount * sizeof(char*));
    auto* array = new (block) TextArray{count < 0 ? 0 : count};
    std::uninitialized_value_construct_n(&array->slot(0), slotCount);
    return array;
}

void ReleaseTextArray(TextArray* array) {
    if (array == nullptr) return;
    for (std::int32_t i = 0; i < array->count; ++i) FreeMemory(array->slot(i));
    FreeMemory(array);
}

const char* FormationAt(std::int32_t index) {
    if (index < 0) ReportFatalError(4, IndexBelowOne);
    if (FormationTable == nullptr || index >= FormationTable->count) ReportFatalError(1, IndexOutOfRange);
    const char* text = FormationTable->slot(index);
    return text == nullptr ? "" : text;
}
