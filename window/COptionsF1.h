// COptionsF1: the General page of the Options sheet; a label and an empty
// drop-down list, nothing read or stored.
#pragma once

#include "framework/CPropertyPage.h"

class COptionsF1 : public CPropertyPage {
public:
    COptionsF1();
    BOOL OnInitDialog() override;
};
