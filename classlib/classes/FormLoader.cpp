#include "classlib/classes/FormLoader.h"

#include <algorithm>

namespace cl {

namespace {
constexpr std::uint8_t kValueBinary = 0x0A;  // Delphi's vaBinary
}

// ---------------------------------------------------------------------------------------------
// TFormLoader

TFormLoader::TFormLoader(TComponent* Root) : root_(Root)
{
    loaded_.push_back(root_);
    root_->SetComponentStateFlag(csLoading, true);
    root_->SetComponentStateFlag(csReading, true);
}

TFormLoader::~TFormLoader()
{
    if (!finished_)
        ClearFlags();
}

void TFormLoader::ClearFlags()
{
    for (TComponent* c : loaded_) {
        c->SetComponentStateFlag(csReading, false);
        c->SetComponentStateFlag(csLoading, false);
    }
}

void TFormLoader::EndReading()
{
    if (reading_ && reading_ != root_)
        reading_->SetComponentStateFlag(csReading, false);
    reading_ = nullptr;
}

void TFormLoader::Adopt(TComponent* Component, const std::string& Name)
{
    Component->SetComponentStateFlag(csLoading, true);
    Component->SetComponentStateFlag(csReading, true);
    if (std::find(loaded_.begin(), loaded_.end(), Component) == loaded_.end())
        loaded_.push_back(Component);
    reading_ = Component;
    if (!Name.empty())
        Component->SetName(Name);
}

void TFormLoader::Add(TComponent* Component, const std::string& Name)
{
    EndReading();
    Adopt(Component, Name);
}

void TFormLoader::Properties(TComponent* Component)
{
    EndReading();
    Component->SetComponentStateFlag(csReading, true);
    reading_ = Component;
}

void TFormLoader::Reference(const std::string& Name, std::function<void(TComponent*)> Setter)
{
    if (Name.empty())
        return;
    fixups_.push_back({Name, std::move(Setter)});
}

TComponent* TFormLoader::Resolve(const std::string& Name) const
{
    if (resolver_)
        return resolver_(Name);
    if (SameText(root_->Name(), Name))
        return root_;
    return root_->FindComponent(Name);
}

void TFormLoader::Binary(TPersistent* Component, const std::string& Name, std::string_view Data)
{
    TStringStream stream(Data);
    Binary(Component, Name, &stream);
}

void TFormLoader::Binary(TPersistent* Component, const std::string& Name, TStream* Data)
{
    Data->SetPosition(0);
    TBinaryReader reader(Name, Data);
    Component->DefineProperties(&reader);
    if (!reader.Done())
        throw EReadError(Format(consts::SUnknownProperty, Name));
}

void TFormLoader::Finish()
{
    if (finished_)
        return;
    EndReading();
    for (TComponent* c : loaded_)
        c->SetComponentStateFlag(csReading, false);
    // Resolve in recorded order; a setter may record more (they are resolved too).
    for (std::size_t i = 0; i < fixups_.size(); ++i) {
        TComponent* target = Resolve(fixups_[i].Name);
        if (!target)
            throw EReadError(Format(consts::SUnresolvedReference, fixups_[i].Name));
        fixups_[i].Setter(target);
    }
    fixups_.clear();
    finished_ = true;
    try {
        for (std::size_t i = 0; i < loaded_.size(); ++i)
            loaded_[i]->Loaded();
    } catch (...) {
        ClearFlags();
        throw;
    }
    ClearFlags();
}

// ---------------------------------------------------------------------------------------------
// Binary property blocks

void TBinaryWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                         const TStreamProc& WriteData, bool HasData)
{
    if (!HasData || !WriteData)
        return;
    if (Name.empty() || Name.size() > 255)
        throw EWriteError(Format(consts::SInvalidPropertyName, Name));
    TMemoryStream data;
    WriteData(&data);
    if (data.Size() > 0x7FFFFFFF)
        throw EWriteError(consts::SWriteError);
    stream_->WriteValue(std::uint8_t(Name.size()));
    stream_->WriteString(Name);
    stream_->WriteValue(kValueBinary);
    std::uint32_t size = std::uint32_t(data.Size());
    std::uint8_t length[4] = {std::uint8_t(size), std::uint8_t(size >> 8), std::uint8_t(size >> 16),
                              std::uint8_t(size >> 24)};
    stream_->WriteBuffer(length, 4);
    data.SaveToStream(stream_);
}

void TBinaryWriter::WriteEnd()
{
    stream_->WriteValue(std::uint8_t(0));
}

void TBinaryReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                         const TStreamProc& WriteData, bool HasData)
{
    if (done_ || !ReadData || !SameText(Name, propName_))
        return;
    done_ = true;
    data_->SetPosition(0);
    ReadData(data_);
}

void WriteBinaryProperties(TPersistent* Instance, TStream* Stream)
{
    TBinaryWriter writer(Stream);
    Instance->DefineProperties(&writer);
    writer.WriteEnd();
}

void ReadBinaryProperties(TPersistent* Instance, TStream* Stream)
{
    while (true) {
        std::uint8_t nameLength = Stream->ReadValue<std::uint8_t>();
        if (nameLength == 0)
            break;
        std::string name = Stream->ReadString(nameLength);
        if (Stream->ReadValue<std::uint8_t>() != kValueBinary)
            throw EReadError(Format(consts::SInvalidPropertyValue, name));
        std::uint8_t length[4];
        Stream->ReadBuffer(length, 4);
        std::int64_t size = std::int64_t(length[0]) | std::int64_t(length[1]) << 8 | std::int64_t(length[2]) << 16 |
                            std::int64_t(length[3]) << 24;
        TStringStream data(Stream->ReadString(size));  // EReadError beyond the stream's end
        TBinaryReader reader(name, &data);
        Instance->DefineProperties(&reader);
        if (!reader.Done())
            throw EReadError(Format(consts::SUnknownProperty, name));
    }
}

}  // namespace cl
