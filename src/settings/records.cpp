#include "settings/records.h"

// A field's name and its member, in the order of its list.
#define TEXT(name, ...) {#name, &RECORD::name, nullptr},
#define NP_TEXT TEXT
#define PLAIN TEXT
#define SWITCH(name, ...) {#name, nullptr, &RECORD::name},

#define RECORD AdvancedSettings
const std::array<RecordField<AdvancedSettings>, 85> kAdvancedFields =
    std::to_array<RecordField<AdvancedSettings>>({
#include "settings/advanced_fields.h"
    });
#undef RECORD

#define RECORD ExpressSettings
const std::array<RecordField<ExpressSettings>, 39> kExpressFields =
    std::to_array<RecordField<ExpressSettings>>({
#include "settings/express_fields.h"
    });
#undef RECORD
