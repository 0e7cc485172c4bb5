#include "forms/form_model.h"

#include "settings/text.h"

namespace {

using enum ControlKind;
using enum FieldRule;

// The list's word for a field whose form shows its initial value while empty.
struct ShowInitial {};
constexpr ShowInitial kShowInitial;

// What the form shows for an empty field: nothing, the initial value, or a
// sample of its own.
constexpr const char* Sample(const char*) { return nullptr; }
constexpr const char* Sample(const char* initial, ShowInitial) { return initial; }
constexpr const char* Sample(const char*, const char* sample) { return sample; }

}  // namespace

void ChooseEntry(double value, Control* list) {
  int64_t index = RoundHalfEven(value);
  bool listed = index >= 0 && index < static_cast<int64_t>(list->entries.size());
  list->index = listed ? static_cast<int>(index) : -1;
  list->text = listed ? list->entries[index] : "";
}

// The bindings of a dialog are the lines of a field list that it takes
// (BOUND, BOUND_SWITCH); the other lines give nothing (UNBOUND).
#define BOUND(name, control, kind, rule, initial, ...) \
  {#name, &RECORD::name, nullptr, #control, kind, rule, Sample(initial __VA_OPT__(, ) __VA_ARGS__)},
#define BOUND_SWITCH(name, control, initial) {#name, nullptr, &RECORD::name, #control, kOption},
#define UNBOUND(...)
#define PLAIN UNBOUND

#define RECORD AdvancedSettings
#define TEXT BOUND
#define SWITCH BOUND_SWITCH
#define NP_TEXT UNBOUND
const std::array<Binding<AdvancedSettings>, 82> kAdvancedBindings =
    std::to_array<Binding<AdvancedSettings>>({
#include "settings/advanced_fields.h"
        BOUND(DateFormat, txtDateFormat, kText, kTrimOnCommit, "")});
#undef TEXT
#undef SWITCH
#undef NP_TEXT

#define TEXT UNBOUND
#define SWITCH UNBOUND
#define NP_TEXT BOUND
const std::array<Binding<AdvancedSettings>, 2> kThumbCodeBindings =
    std::to_array<Binding<AdvancedSettings>>({
#include "settings/advanced_fields.h"
    });
#undef TEXT
#undef SWITCH
#undef RECORD

#define RECORD ExpressSettings
#define TEXT BOUND
#define SWITCH BOUND_SWITCH
const std::array<Binding<ExpressSettings>, 38> kExpressBindings =
    std::to_array<Binding<ExpressSettings>>({
#include "settings/express_fields.h"
        BOUND(ExpressShowDate, chkShowDate, kCheck, kAsIs, "0")
            BOUND(ExpressShowCaption, chkShowCaption, kCheck, kAsIs, "0")});

const std::vector<std::string> kNamePatternEntries = {"John Smith.jpg", "JohnSmith.jpg",
                                                      "John_Smith.jpg"};
const std::vector<std::string> kReplaceLocationEntries = {"First", "Middle", "Last"};
const std::vector<std::string> kRobotsEntries = {"all",     "none",   "index",
                                                 "noindex", "follow", "nofollow"};
const std::vector<std::string> kPixelPercentEntries = {"pixels", "%"};
