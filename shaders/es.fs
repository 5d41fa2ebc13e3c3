// The shader renderer's fragment half: per-pixel Phong lighting with the
// fixed-function pipeline's light and material model, as the desktop pair
// does it. One light at a point with no attenuation and no ambient of its
// own, the light model's ambient, the colour standing for the ambient and
// diffuse material, an infinite viewer for the half vector, the specular
// term added before the texture and then clamped, alpha from the colour
// times the texel. Untextured draws bind a white texel.
//
// The loader compiles it three times: without LIT for the unlit draws (the
// sky, the overlay: colour times texel, nothing per pixel beyond the
// texture); with LIT alone for materials with no highlight (the blocks, the
// shadow), whose specular term would only add zero; with LIT and SPECULAR
// for the rest. A software rasterizer runs both sides of a branch for every
// pixel, so a draw pays only for the maths its program holds.

varying vec2 pictureCoord;

uniform sampler2D picture;
uniform vec4 colour;

#ifdef LIT
varying vec3 eyePosition;
varying vec3 eyeNormal;

uniform vec4 lightPosition;   // under the view; w 0 for a direction
uniform vec4 lightModelAmbient;
uniform vec4 lightDiffuse;
#ifdef SPECULAR
uniform vec4 lightSpecular;
uniform vec4 specular;
uniform float shininess;
#endif
#endif

void main()
{
    vec4 texel = texture2D(picture, pictureCoord);
#ifdef LIT
    vec3 normal = normalize(eyeNormal);
    vec3 toLight = normalize(lightPosition.xyz - eyePosition * lightPosition.w);
    float diffuse = max(dot(normal, toLight), 0.0);
    vec4 shade = lightModelAmbient * colour + diffuse * lightDiffuse * colour;
#ifdef SPECULAR
    if (diffuse > 0.0) {
        vec3 halfway = normalize(toLight + vec3(0.0, 0.0, 1.0));
        // The fixed-function pipeline's x to the power 0 is 1, even at x = 0.
        float highlight = shininess > 0.0 ? pow(max(dot(normal, halfway), 0.0), shininess) : 1.0;
        shade += highlight * lightSpecular * specular;
    }
#endif
    shade = clamp(shade, 0.0, 1.0);
    gl_FragColor = vec4(shade.rgb * texel.rgb, colour.a * texel.a);
#else
    gl_FragColor = colour * texel;
#endif
}
