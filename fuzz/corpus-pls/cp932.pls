[Playlist]
File1=‹È.mp3
Title1=‹È
File2=D:\Music\a.mp3
