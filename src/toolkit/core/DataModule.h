#pragma once
// A non-visual module owned by the application object.

namespace tk {

class TDataModule {
public:
    TDataModule() = default;
    TDataModule(const TDataModule&) = delete;
    TDataModule& operator=(const TDataModule&) = delete;
    virtual ~TDataModule() = default;
};

} // namespace tk
