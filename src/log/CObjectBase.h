// Root of the log object hierarchy: only a virtual destructor.
#pragma once

class CObjectBase
{
public:
    CObjectBase() = default;
    CObjectBase(const CObjectBase&) = default;
    CObjectBase& operator=(const CObjectBase&) = default;
    virtual ~CObjectBase();
};
