#include "standin_objects.h"

#include "base/failure.h"

namespace quavero::standin {
namespace {

using Args = std::vector<VARIANT*>;

// A track: its facts by name; any other writable property by name too.
class TrackObject : public DispatchObject {
 public:
  TrackObject(Journal& j, itunes::TrackPtr t) : DispatchObject(j, L"Track"), t_(std::move(t)) {}
  itunes::TrackPtr track() const { return t_; }

 protected:
  const std::vector<std::wstring>& Names() const override {
    static const std::vector<std::wstring> names = {
        L"Name", L"Artist", L"Album", L"Comment", L"Composer", L"Genre", L"BitRate", L"BPM",
        L"PlayedCount", L"TrackNumber", L"Year", L"Compilation", L"Time", L"Duration",
        L"Rating", L"Start", L"Finish", L"VolumeAdjustment", L"Delete", L"AddArtworkFromFile",
        L"Artwork", L"Location", L"TrackDatabaseID", L"Kind"};
    return names;
  }
  void Handle(const std::wstring& n, Kind k, const Args& a, VARIANT* r) override {
    itunes::Track& t = *t_;
    if (k == Kind::kPut) return t.SetProperty(Utf8(n), ArgText(a, 0));
    if (n == L"Name") return Return(r, t.Name());
    if (n == L"Artist") return Return(r, t.Artist());
    if (n == L"Album") return Return(r, t.Album());
    if (n == L"Comment") return Return(r, t.Comment());
    if (n == L"Composer") return Return(r, t.Composer());
    if (n == L"Genre") return Return(r, t.Genre());
    if (n == L"BitRate") return Return(r, static_cast<long>(t.BitRate()));
    if (n == L"BPM") return Return(r, static_cast<long>(t.BPM()));
    if (n == L"PlayedCount") return Return(r, static_cast<long>(t.PlayedCount()));
    if (n == L"TrackNumber") return Return(r, static_cast<long>(t.TrackNumber()));
    if (n == L"Year") return Return(r, static_cast<long>(t.Year()));
    if (n == L"Compilation") return Return(r, t.Compilation());
    if (n == L"Time") return Return(r, t.Time());
    if (n == L"Duration") return Return(r, static_cast<long>(t.Duration()));
    if (n == L"Rating") return Return(r, static_cast<long>(t.Rating()));
    if (n == L"VolumeAdjustment") return Return(r, static_cast<long>(t.VolumeAdjustment()));
    if (n == L"TrackDatabaseID") return Return(r, static_cast<long>(t.TrackDatabaseID()));
    if (n == L"Kind") return Return(r, 1L);
    if (n == L"Location") return Return(r, t.Location());
    if (n == L"Delete") return t.Delete();
    if (n == L"AddArtworkFromFile") return t.AddArtworkFromFile(ArgText(a, 0));
    if (n == L"Artwork") return Return(r, NewArtworkCollection(t.Artwork()));
    throw Failure(errors::kNoSuchMember);  // Start and Finish are written, not read
  }

 private:
  IDispatch* NewArtworkCollection(std::shared_ptr<itunes::ArtworkCollection> c);
  itunes::TrackPtr t_;
};

class ArtworkObject : public DispatchObject {
 public:
  ArtworkObject(Journal& j, itunes::ArtworkPtr a) : DispatchObject(j, L"Artwork"), a_(std::move(a)) {}

 protected:
  const std::vector<std::wstring>& Names() const override {
    static const std::vector<std::wstring> names = {L"SaveArtworkToFile", L"Format"};
    return names;
  }
  void Handle(const std::wstring& n, Kind, const Args& a, VARIANT* r) override {
    if (n == L"SaveArtworkToFile") return a_->SaveArtworkToFile(ArgText(a, 0));
    Return(r, static_cast<long>(a_->Format()));
  }

 private:
  itunes::ArtworkPtr a_;
};

// A 1-based collection; items become objects of their kind as they are asked for.
template <typename T, typename Make>
class CollectionObject : public DispatchObject {
 public:
  CollectionObject(Journal& j, std::shared_ptr<itunes::Collection<T>> c, Make make)
      : DispatchObject(j, L"Collection"), c_(std::move(c)), make_(make) {}

 protected:
  const std::vector<std::wstring>& Names() const override {
    static const std::vector<std::wstring> names = {L"Count", L"Item"};
    return names;
  }
  void Handle(const std::wstring& n, Kind, const Args& a, VARIANT* r) override {
    if (n == L"Count") return Return(r, static_cast<long>(c_->Count()));
    Return(r, make_(journal_, c_->Item(static_cast<int>(ArgLong(a, 0)))));
  }

 private:
  std::shared_ptr<itunes::Collection<T>> c_;
  Make make_;
};

template <typename T, typename Make>
IDispatch* NewCollection(Journal& j, std::shared_ptr<itunes::Collection<T>> c, Make make) {
  if (!c) return nullptr;
  return new CollectionObject<T, Make>(j, std::move(c), make);
}

IDispatch* TrackObject::NewArtworkCollection(std::shared_ptr<itunes::ArtworkCollection> c) {
  return NewCollection<itunes::Artwork>(journal_, std::move(c), [](Journal& j, itunes::ArtworkPtr a) -> IDispatch* {
    return a ? new ArtworkObject(j, std::move(a)) : nullptr;
  });
}

class PlaylistObject : public DispatchObject {
 public:
  PlaylistObject(Journal& j, itunes::PlaylistPtr p, std::string source)
      : DispatchObject(j, L"Playlist"), p_(std::move(p)), source_(std::move(source)) {}

 protected:
  const std::vector<std::wstring>& Names() const override {
    static const std::vector<std::wstring> names = {
        L"Name", L"Kind", L"PlayFirstTrack", L"Search", L"Duration", L"Tracks", L"Shuffle",
        L"SongRepeat", L"AddTrack"};
    return names;
  }
  void Handle(const std::wstring& n, Kind k, const Args& a, VARIANT* r) override {
    itunes::Playlist& p = *p_;
    if (n == L"Name") return k == Kind::kPut ? p.SetName(ArgText(a, 0)) : Return(r, p.Name());
    if (n == L"Kind") return Return(r, static_cast<long>(p.Kind()));
    if (n == L"PlayFirstTrack") return p.PlayFirstTrack();
    if (n == L"Search")
      return Return(r, NewTrackCollection(journal_, p.Search(ArgText(a, 0), static_cast<int>(ArgLong(a, 1)))));
    if (n == L"Duration") return Return(r, static_cast<long>(p.Duration()));
    if (n == L"Tracks") return Return(r, NewTrackCollection(journal_, p.Tracks()));
    if (n == L"Shuffle") return k == Kind::kPut ? p.SetShuffle(ArgBool(a, 0)) : Return(r, p.Shuffle());
    if (n == L"SongRepeat")
      return k == Kind::kPut ? p.SetSongRepeat(ArgLong(a, 0)) : Return(r, static_cast<long>(p.SongRepeat()));
    if (n == L"AddTrack") {
      auto track = TrackOf(ArgObject(a, 0));
      if (!track) throw Failure(static_cast<int>(E_INVALIDARG), "The parameter is incorrect.");
      return p.AddTrack(track);
    }
  }
  // The playlist's name, and its source's when it was reached through one.
  std::string Identity() const override {
    std::string name;
    try {
      name = p_->Name();
    } catch (const Failure&) {
      name = "?";
    }
    return "(" + name + (source_.empty() ? "" : " in " + source_) + ")";
  }

 private:
  itunes::PlaylistPtr p_;
  std::string source_;
};

class SourceObject : public DispatchObject {
 public:
  SourceObject(Journal& j, itunes::SourcePtr s) : DispatchObject(j, L"Source"), s_(std::move(s)) {}

 protected:
  const std::vector<std::wstring>& Names() const override {
    static const std::vector<std::wstring> names = {L"Name", L"Kind", L"Playlists"};
    return names;
  }
  void Handle(const std::wstring& n, Kind, const Args&, VARIANT* r) override {
    if (n == L"Name") return Return(r, s_->Name());
    if (n == L"Kind") return Return(r, 1L);
    std::string source = s_->Name();
    Return(r, NewCollection<itunes::Playlist>(journal_, s_->Playlists(), [source](Journal& j, itunes::PlaylistPtr p) {
             return NewPlaylist(j, std::move(p), source);
           }));
  }
  std::string Identity() const override {
    try {
      return "(" + s_->Name() + ")";
    } catch (const Failure&) {
      return "(?)";
    }
  }

 private:
  itunes::SourcePtr s_;
};

}  // namespace

IDispatch* NewTrack(Journal& journal, itunes::TrackPtr track) {
  return track ? new TrackObject(journal, std::move(track)) : nullptr;
}

IDispatch* NewPlaylist(Journal& journal, itunes::PlaylistPtr playlist, const std::string& source) {
  return playlist ? new PlaylistObject(journal, std::move(playlist), source) : nullptr;
}

IDispatch* NewTrackCollection(Journal& journal, std::shared_ptr<itunes::Collection<itunes::Track>> c) {
  return NewCollection<itunes::Track>(journal, std::move(c), [](Journal& j, itunes::TrackPtr t) {
    return NewTrack(j, std::move(t));
  });
}

IDispatch* NewSources(Journal& journal, std::shared_ptr<itunes::Collection<itunes::Source>> c) {
  return NewCollection<itunes::Source>(journal, std::move(c), [](Journal& j, itunes::SourcePtr s) -> IDispatch* {
    return s ? new SourceObject(j, std::move(s)) : nullptr;
  });
}

itunes::TrackPtr TrackOf(IDispatch* object) {
  auto* track = dynamic_cast<TrackObject*>(object);  // a proxy from another process is not ours
  return track ? track->track() : nullptr;
}

}  // namespace quavero::standin
