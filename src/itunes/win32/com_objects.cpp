// Tracks, playlists, sources, artwork and collections of iTunes over IDispatch.
#include "itunes/win32/com_objects.h"

#include "base/failure.h"

namespace quavero::itunes::win32 {
namespace {

NameCache track_names, playlist_names, source_names, artwork_names, collection_names;

VARIANT Long(long v) {
  VARIANT x;
  x.vt = VT_I4;
  x.lVal = v;
  return x;
}

}  // namespace

template <typename T, typename Make>
class ComCollection : public Collection<T> {
 public:
  ComCollection(ComPtr<IDispatch> d, Make make) : d_(std::move(d), collection_names), make_(make) {}
  int Count() override { return static_cast<int>(d_.GetLong(L"Count")); }
  std::shared_ptr<T> Item(int index) override {
    auto item = d_.GetObject(L"Item", {Long(index)});
    if (!item) return nullptr;
    return make_(std::move(item));
  }

 private:
  Dispatch d_;
  Make make_;
};

template <typename T, typename Make>
std::shared_ptr<Collection<T>> MakeCollection(ComPtr<IDispatch> d, Make make) {
  if (!d) return nullptr;
  return std::make_shared<ComCollection<T, Make>>(std::move(d), make);
}

class ComArtwork : public Artwork {
 public:
  explicit ComArtwork(ComPtr<IDispatch> d) : d_(std::move(d), artwork_names) {}
  void SaveArtworkToFile(const std::string& path) override {
    Variant v;
    v.get().vt = VT_BSTR;
    v.get().bstrVal = SysAllocString(Wide(path).c_str());
    d_.Call(L"SaveArtworkToFile", {v.get()});
  }
  int Format() override { return static_cast<int>(d_.GetLong(L"Format")); }

 private:
  Dispatch d_;
};

class ComTrack : public Track {
 public:
  explicit ComTrack(ComPtr<IDispatch> d) : d_(std::move(d), track_names) {}
  std::string Name() override { return d_.GetText(L"Name"); }
  void SetName(const std::string& v) override { d_.PutText(L"Name", v); }
  int32_t TrackDatabaseID() override { return d_.GetLong(L"TrackDatabaseID"); }
  std::string Artist() override { return d_.GetText(L"Artist"); }
  void SetArtist(const std::string& v) override { d_.PutText(L"Artist", v); }
  std::string Album() override { return d_.GetText(L"Album"); }
  void SetAlbum(const std::string& v) override { d_.PutText(L"Album", v); }
  std::string Comment() override { return d_.GetText(L"Comment"); }
  std::string Composer() override { return d_.GetText(L"Composer"); }
  std::string Genre() override { return d_.GetText(L"Genre"); }
  int32_t BitRate() override { return d_.GetLong(L"BitRate"); }
  int32_t BPM() override { return d_.GetLong(L"BPM"); }
  int32_t PlayedCount() override { return d_.GetLong(L"PlayedCount"); }
  int32_t TrackNumber() override { return d_.GetLong(L"TrackNumber"); }
  int32_t Year() override { return d_.GetLong(L"Year"); }
  bool Compilation() override { return d_.GetBool(L"Compilation"); }
  std::string Time() override { return d_.GetText(L"Time"); }
  int32_t Duration() override { return d_.GetLong(L"Duration"); }
  int32_t Rating() override { return d_.GetLong(L"Rating"); }
  void SetRating(int32_t v) override { d_.PutLong(L"Rating", v); }
  void SetStart(int32_t v) override { d_.PutLong(L"Start", v); }
  void SetFinish(int32_t v) override { d_.PutLong(L"Finish", v); }
  int32_t VolumeAdjustment() override { return d_.GetLong(L"VolumeAdjustment"); }
  void SetVolumeAdjustment(int32_t v) override { d_.PutLong(L"VolumeAdjustment", v); }
  void Delete() override { d_.Call(L"Delete"); }
  void AddArtworkFromFile(const std::string& path) override {
    Variant v;
    v.get().vt = VT_BSTR;
    v.get().bstrVal = SysAllocString(Wide(path).c_str());
    d_.Call(L"AddArtworkFromFile", {v.get()});
  }
  std::shared_ptr<ArtworkCollection> Artwork() override {
    return MakeCollection<itunes::Artwork>(
        d_.GetObject(L"Artwork"), [](ComPtr<IDispatch> a) -> ArtworkPtr {
          return std::make_shared<ComArtwork>(std::move(a));
        });
  }
  std::string Location() override { return d_.GetText(L"Location"); }
  void SetProperty(const std::string& name, const std::string& value) override {
    d_.PutText(Wide(name).c_str(), value);
  }
  IDispatch* dispatch() const { return d_.get(); }

 private:
  Dispatch d_;
};

TrackPtr MakeTrack(ComPtr<IDispatch> d) {
  if (!d) return nullptr;
  return std::make_shared<ComTrack>(std::move(d));
}

namespace {

auto TrackMaker() {
  return [](ComPtr<IDispatch> d) { return MakeTrack(std::move(d)); };
}

}  // namespace

class ComPlaylist : public Playlist {
 public:
  explicit ComPlaylist(ComPtr<IDispatch> d) : d_(std::move(d), playlist_names) {}
  std::string Name() override { return d_.GetText(L"Name"); }
  void SetName(const std::string& v) override { d_.PutText(L"Name", v); }
  PlaylistKind Kind() override { return static_cast<PlaylistKind>(d_.GetLong(L"Kind")); }
  void PlayFirstTrack() override { d_.Call(L"PlayFirstTrack"); }
  std::shared_ptr<Collection<Track>> Search(const std::string& text, int field) override {
    Variant what;
    what.get().vt = VT_BSTR;
    what.get().bstrVal = SysAllocString(Wide(text).c_str());
    Variant result;
    d_.Invoke(L"Search", DISPATCH_METHOD, {what.get(), Long(field)}, result.put());
    if (result.get().vt != VT_DISPATCH || !result.get().pdispVal) return nullptr;
    return MakeCollection<Track>(ComPtr<IDispatch>(result.get().pdispVal), TrackMaker());
  }
  int32_t Duration() override { return d_.GetLong(L"Duration"); }
  std::shared_ptr<Collection<Track>> Tracks() override {
    return MakeCollection<Track>(d_.GetObject(L"Tracks"), TrackMaker());
  }
  bool Shuffle() override { return d_.GetBool(L"Shuffle"); }
  void SetShuffle(bool v) override { d_.PutBool(L"Shuffle", v); }
  int32_t SongRepeat() override { return d_.GetLong(L"SongRepeat"); }
  void SetSongRepeat(int32_t v) override { d_.PutLong(L"SongRepeat", v); }
  void AddTrack(const TrackPtr& track) override {
    auto* com = dynamic_cast<ComTrack*>(track.get());
    if (!com) throw Failure(errors::kInvalidCall);
    // AddTrack takes the track by reference: across processes the marshaller may release what
    // the VARIANT held and write back a new reference. The VARIANT holds a reference of its
    // own, so whatever is in it afterwards is released once, and the track keeps its own.
    Variant track_value;
    track_value.get().vt = VT_DISPATCH;
    track_value.get().pdispVal = com->dispatch();
    track_value.get().pdispVal->AddRef();
    Variant ref;
    ref.get().vt = VT_VARIANT | VT_BYREF;
    ref.get().pvarVal = &track_value.get();
    Variant result;
    d_.Invoke(L"AddTrack", DISPATCH_METHOD, {ref.get()}, result.put());
    ref.get().vt = VT_EMPTY;  // it points at track_value, which clears itself
  }

 private:
  Dispatch d_;
};

PlaylistPtr MakePlaylist(ComPtr<IDispatch> d) {
  if (!d) return nullptr;
  return std::make_shared<ComPlaylist>(std::move(d));
}

class ComSource : public Source {
 public:
  explicit ComSource(ComPtr<IDispatch> d) : d_(std::move(d), source_names) {}
  std::string Name() override { return d_.GetText(L"Name"); }
  std::shared_ptr<Collection<Playlist>> Playlists() override {
    return MakeCollection<Playlist>(d_.GetObject(L"Playlists"), [](ComPtr<IDispatch> p) {
      return MakePlaylist(std::move(p));
    });
  }

 private:
  Dispatch d_;
};

std::shared_ptr<Collection<Source>> MakeSources(ComPtr<IDispatch> d) {
  return MakeCollection<Source>(std::move(d), [](ComPtr<IDispatch> s) -> SourcePtr {
    return std::make_shared<ComSource>(std::move(s));
  });
}

}  // namespace quavero::itunes::win32
