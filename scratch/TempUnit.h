// The scratch window: never shown; its rich-edit control is a buffer with the typing area's character positions.
#pragma once

#include "platform/Form.h"

namespace scratch {

class TTempForm : public platform::Form {
public:
    TTempForm();
};

}  // namespace scratch
