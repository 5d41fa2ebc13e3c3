// TODO(stub): the sound layer over SDL2_mixer
