// The shader renderer's vertex half, in the GLSL that OpenGL ES 2, WebGL and
// desktop GL 2.1 all read. The loader puts the version line first, then
// LIT for the lit programs: the unlit one (the sky, the overlay) hands on
// only the texture coordinate, so the rasterizer interpolates nothing more
// across the screen. The matrices come as uniforms, made on the CPU with the
// frame. The vertex is placed by the projection and model-view multiplied
// beforehand, as the fixed-function pipeline places it, so that faces lying
// in one plane settle their depth the same way in both renderers.

attribute vec3 position;
attribute vec2 texCoord;

uniform mat4 modelViewProjection;

varying vec2 pictureCoord;

#ifdef LIT
attribute vec3 normal;

uniform mat4 modelView;
uniform mat3 normalMatrix;

varying vec3 eyePosition;
varying vec3 eyeNormal;
#endif

void main()
{
#ifdef LIT
    vec4 eye = modelView * vec4(position, 1.0);
    eyePosition = eye.xyz / eye.w;
    eyeNormal = normalMatrix * normal;
#endif
    pictureCoord = texCoord;
    gl_Position = modelViewProjection * vec4(position, 1.0);
}
