#include "log/CObjectBase.h"

CObjectBase::~CObjectBase() = default;
