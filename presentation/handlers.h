#pragma once

#include "control_services.h"
#include "form_state.h"

#include <cstdint>

namespace presentation {

// A name was picked in the names list: the info box shows the bird's family, name and
// description, and its family's button becomes selected. Index names the list that raised the
// event; only the names list is ever shown, so it is not consulted.
void List1_Click(FormState& state, ControlServices& controls, std::int16_t Index);

// A family button was picked (by mouse, keyboard or code): the info box lists the family's birds
// in catalogue order.
void Option1_Click(FormState& state, ControlServices& controls, std::int16_t Index);

} // namespace presentation
