#pragma once

// The raw tables behind TextCatalogue: plain constant data, so they need no
// start-up work of their own and cannot be read before they are initialised.

namespace vx::catalogue_data {

// One entry: the English key ("¶" where the hint line break goes) and the
// German and Spanish texts, also with "¶".
struct Text {
    const char16_t* en;
    const char16_t* de;
    const char16_t* es;
};

// One element of a named array, naming its entry by the English key.
struct Item {
    int index;
    const char16_t* en;
};

struct Array {
    const char* name;
    int first;
    int last;
    const Item* items;
    int count;
};

// A menu key and the English key of its caption.
struct MenuKey {
    const char16_t* key;
    const char16_t* en;
};

extern const Text kTexts[];
extern const int kTextCount;
extern const Array kArrays[];
extern const int kArrayCount;
extern const MenuKey kMenuKeys[];
extern const int kMenuKeyCount;

} // namespace vx::catalogue_data
